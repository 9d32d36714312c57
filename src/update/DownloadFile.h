#pragma once

#include "update/HttpClient.h"

#include <filesystem>
#include <string>

// Fetches Url into the file FileName with Client, within the client's limits. True: the file
// holds the body of the final response. False: the download failed and FileName is as it was
// before (a previous file is kept whole); nothing is thrown, and Failure, when given, receives
// the reason in a few words ("certificate has expired", "404 Not Found", the limit reached).
// While Client is busy with another download the call is refused (false).
bool DownloadFile(HttpClient& client, const std::string& url, const std::filesystem::path& fileName,
                  const MessagePump& pump, std::string* failure = nullptr);

// An error's text as the reason that follows "could not fetch URL: ": without the protocol
// version of a status line, a first capital (unless the word is all capitals) or a final point.
std::string FailureReason(std::string_view errorText);
