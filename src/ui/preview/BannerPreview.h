#pragma once

#include <QString>
#include <QWidget>
#include <functional>

class TWebView;

// The banner preview: a web view made the first time a banner is shown, never before.
class TBannerPreview : public QWidget {
  public:
    TBannerPreview(std::function<TWebView*(QWidget* parent)> createWebView, QWidget* parent);

    // Shows the address as it stands; a view that cannot be made leaves the preview empty.
    void Navigate(const QString& url);
    const QString& LocationURL() const { return location_; }

  private:
    std::function<TWebView*(QWidget* parent)> createWebView_;
    TWebView* view_ = nullptr;
    QString location_;
};
