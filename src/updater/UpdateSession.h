#pragma once

#include "update/MessagePump.h"
#include "update/UpdateDescription.h"
#include "updater/DownloadProgress.h"

#include <filesystem>
#include <string>

// Where an update comes from and what it is checked against.
struct UpdateSource {
    // The update folder, ending with "/".
    std::string baseUrl;
    // The version of the copy to update; only a newer one is installed.
    float runningVersion = 0;
    // The minisign public key (the base64 line of minisign.pub) the folder must be signed with.
    std::string publicKey;
};

// What a signed update folder offers this system.
struct UpdateOffer {
    // As signed.
    std::string version;
    // Lines joined with LF; empty when there are none.
    std::string releaseNotes;
    UpdateFile file;
};

// One update, from its signed description to the verified file, in a private temporary folder
// of its own that goes, with everything downloaded into it, when the session ends.
class UpdateSession {
  public:
    // Throws AppError when the private folder cannot be made.
    explicit UpdateSession(UpdateSource source);
    UpdateSession(const UpdateSession&) = delete;
    UpdateSession& operator=(const UpdateSession&) = delete;
    ~UpdateSession();

    // Fetches the description and its signature and verifies them with the key; refuses a
    // version that is not newer than the running one (an old folder replayed) and a folder with
    // no file for this system. Throws AppError with the text to show; DownloadCancelled when
    // GoOn says stop.
    UpdateOffer FetchOffer(const MessagePump& goOn);

    // Downloads the offered file into the private folder, telling Report how far it has come,
    // and checks its size and SHA-256 against the signed ones. Returns the verified file. Throws
    // as FetchOffer does; whatever went wrong, nothing downloaded is left behind.
    std::filesystem::path Download(const UpdateOffer& offer, const ProgressReport& report,
                                   const MessagePump& goOn);

    // Keeps the private folder and the verified file when the session ends, for the user to
    // install by hand.
    void KeepDownload() { keep_ = true; }

    const std::filesystem::path& Folder() const { return folder_; }

  private:
    UpdateSource source_;
    std::filesystem::path folder_;
    bool keep_ = false;
};
