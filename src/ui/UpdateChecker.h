#pragma once

#include "ui/BackgroundTask.h"
#include "ui/Services.h"

#include <QObject>
#include <functional>
#include <memory>
#include <string>

class HttpClient;
class ProjectController;
class UserMessages;

// The update check: the description fetched from the maker's server on a thread of its own, the
// questions, and the hand-over to the updater, after which the window closes.
class UpdateChecker : public QObject {
    Q_OBJECT

  public:
    UpdateChecker(const WindowServices& services, const UserMessages& messages,
                  ProjectController& project, std::function<void()> closeForUpdate,
                  QObject* parent);
    ~UpdateChecker() override;

    // True while a check waits for the network.
    bool Busy() const { return task_.Busy(); }

    // Silent: nothing is said unless a newer version is offered.
    void CheckForUpdates(bool Silent);
    // The window closes: a check that waits for the network ends at once.
    void Cancel();

  private:
    // Fetches Url into FileName on the task's thread, then runs Done with the reason of a failure
    // (empty on success) on the window's thread.
    bool DownloadFile(const std::string& URL, const std::string& FileName,
                      std::function<void(const std::string& failure)> done);
    void DescriptionFetched(bool Silent, const std::string& descriptionURL,
                            const std::filesystem::path& descriptionFile,
                            const std::string& failure);
    void OfferUpdate(const std::string& version, const std::string& separator);

    const WindowServices& services_;
    const UserMessages& messages_;
    ProjectController& project_;
    std::function<void()> closeForUpdate_;
    std::unique_ptr<HttpClient> IdHTTP1;
    BackgroundTask task_;
    bool cancelled_ = false;
};
