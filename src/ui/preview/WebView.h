#pragma once

#include <QWidget>

class QUrl;

// The web view of the banner preview.
class WebView : public QWidget {
  public:
    using QWidget::QWidget;

    virtual void Navigate(const QUrl& url) = 0;
};
