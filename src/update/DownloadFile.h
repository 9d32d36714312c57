#pragma once

#include "update/HttpClient.h"

#include <filesystem>
#include <string>

// Fetches Url into the file FileName with Client. True: the file holds the body of the final
// response. False: the download failed and no file of that name is left (one that was there
// before is gone as well); nothing is thrown. While Client is busy with another download the
// call is refused (false) and the file is not touched.
bool DownloadFile(THttpClient& client, const std::string& url,
                  const std::filesystem::path& fileName, const TMessagePump& pump);
