#pragma once

#include "ui/preview/WebView.h"

class QWebEngineView;

// The banner preview's web view on Qt WebEngine.
class TWebEngineView : public TWebView {
  public:
    explicit TWebEngineView(QWidget* parent);

    void Navigate(const QUrl& url) override;

  private:
    QWebEngineView* view_;
};
