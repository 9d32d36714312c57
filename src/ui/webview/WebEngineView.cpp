// The banner preview's web view on Qt WebEngine, built as the module that LoadWebView loads.

#include "ui/WebView.h"

#include <QVBoxLayout>
#include <QWebEngineSettings>
#include <QWebEngineView>
#include <QtWebEngineQuick/qtwebenginequickglobal.h>

namespace {

class TWebEngineView : public TWebView {
  public:
    explicit TWebEngineView(QWidget* parent) : TWebView(parent), view_(new QWebEngineView(this)) {
        auto* layout = new QVBoxLayout(this);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(view_);
        // A banner may be a video that is meant to start on its own.
        view_->settings()->setAttribute(QWebEngineSettings::PlaybackRequiresUserGesture, false);
    }

    void Navigate(const QUrl& url) override { view_->load(url); }

  private:
    QWebEngineView* view_;
};

} // namespace

extern "C" Q_DECL_EXPORT TWebView* CreateWebView(QWidget* parent) {
    // The engine draws through an OpenGL context shared with the window's. The application
    // exists before this module is loaded, so the shared context is made now; Qt warns that this
    // is late and does it all the same, while the window never pays for it at start-up.
    static const bool initialized = (QtWebEngineQuick::initialize(), true);
    (void)initialized;
    return new TWebEngineView(parent);
}
