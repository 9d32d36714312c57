#pragma once

#include "ui/WebView.h"

#include <QUrl>
#include <functional>
#include <string>

class QLabel;
class QPushButton;
class QStackedLayout;

// The banner preview where no web engine is built in: a picture or an animation from the user's
// own disk plays in place; any other address (a video, a page, a picture on the web) gets a note
// and a button that opens it in the browser.
class TPictureView : public TWebView {
  public:
    TPictureView(std::function<void(const std::string& address)> openInBrowser, QWidget* parent);

    void Navigate(const QUrl& url) override;

  private:
    bool ShowLocalPicture(const QUrl& url);

    std::function<void(const std::string& address)> openInBrowser_;
    QStackedLayout* pages_;
    QLabel* picture_;
    QWidget* notePage_;
    QLabel* note_;
    QUrl shown_;
};
