#pragma once

#include "ui/BackgroundTask.h"
#include "ui/preview/WebView.h"
#include "update/HttpClient.h"

#include <QUrl>
#include <functional>
#include <memory>
#include <string>

class QLabel;
class QScrollArea;
class QStackedLayout;
class QTemporaryFile;

// The banner preview where no web engine is built in: a picture or an animation, from the
// user's disk or fetched over http or https, plays in place; any other address (a video, a
// page) gets a note and a button that opens it in the browser.
class PictureView : public WebView {
  public:
    // Trust widens the system's trust store for https pictures; only tests give one.
    PictureView(std::function<void(const std::string& address)> openInBrowser, QWidget* parent,
                platform::TlsTrust trust = {});
    ~PictureView() override;

    void Navigate(const QUrl& url) override;

  protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

  private:
    void Show(const QUrl& url);
    // Shows Url's picture, or says that it cannot be shown.
    void ShowOutcome(const QUrl& url, bool shown);
    bool ShowPicture(const QString& file);
    // Fetches the picture on the task's thread and shows it once it is there.
    void FetchPicture(const QUrl& url);
    bool ShowFetchedPicture(const std::string& body);
    void ShowNote(const QString& text);

    std::function<void(const std::string& address)> openInBrowser_;
    QStackedLayout* pages_;
    QScrollArea* pictureArea_;
    QLabel* picture_;
    QWidget* notePage_;
    QLabel* note_;
    // The address asked for last; a download for an older one stops.
    QUrl wanted_;
    HttpClient client_;
    BackgroundTask fetch_;
    // A download stopped because the view was hidden: it starts again when the view shows.
    bool interrupted_ = false;
    // The last picture fetched, played from disk like the user's own.
    std::unique_ptr<QTemporaryFile> fetched_;
};
