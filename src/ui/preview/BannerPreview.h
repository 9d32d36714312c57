#pragma once

#include <QString>
#include <QWidget>
#include <functional>

class WebView;

// The banner preview: a web view made the first time a banner is shown, never before.
class BannerPreview : public QWidget {
  public:
    BannerPreview(std::function<WebView*(QWidget* parent)> createWebView, QWidget* parent);

    // Shows the address as it stands; a view that cannot be made leaves the preview empty.
    void Navigate(const QString& url);
    const QString& LocationURL() const { return location_; }

  private:
    std::function<WebView*(QWidget* parent)> createWebView_;
    WebView* view_ = nullptr;
    QString location_;
};
