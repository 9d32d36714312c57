#pragma once

#include "update/HttpClient.h"

#include <filesystem>
#include <string>

// Fetches Url into the file FileName with Client. True: the file holds the body of the final
// response. False: the download failed and no file of that name is left (one that was there
// before is gone as well); nothing is thrown, and Failure, when given, receives the reason in
// a few words ("certificate has expired", "404 Not Found"). While Client is busy with another
// download the call is refused (false) and the file is not touched.
bool DownloadFile(HttpClient& client, const std::string& url, const std::filesystem::path& fileName,
                  const MessagePump& pump, std::string* failure = nullptr);

// An error's text as the reason that follows "could not fetch URL: ": without the protocol
// version of a status line, a first capital (unless the word is all capitals) or a final point.
std::string FailureReason(std::string_view errorText);
