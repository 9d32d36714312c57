#pragma once

#include "ui/preview/WebView.h"

class QWebEngineView;

// The banner preview's web view on Qt WebEngine.
class WebEngineView : public WebView {
  public:
    explicit WebEngineView(QWidget* parent);

    void Navigate(const QUrl& url) override;

  private:
    QWebEngineView* view_;
};
