#include "ui/webengine/WebEngineView.h"

#include <QVBoxLayout>
#include <QWebEngineSettings>
#include <QWebEngineView>

WebEngineView::WebEngineView(QWidget* parent) : WebView(parent), view_(new QWebEngineView(this)) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(view_);
    // A banner may be a video that is meant to start on its own.
    view_->settings()->setAttribute(QWebEngineSettings::PlaybackRequiresUserGesture, false);
}

void WebEngineView::Navigate(const QUrl& url) {
    view_->load(url);
}
