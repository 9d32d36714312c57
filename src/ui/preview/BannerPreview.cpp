#include "ui/preview/BannerPreview.h"

#include "ui/preview/WebView.h"

#include <QUrl>
#include <QVBoxLayout>

BannerPreview::BannerPreview(std::function<WebView*(QWidget* parent)> createWebView,
                             QWidget* parent)
    : QWidget(parent), createWebView_(std::move(createWebView)) {
    (new QVBoxLayout(this))->setContentsMargins(0, 0, 0, 0);
}

void BannerPreview::Navigate(const QString& url) {
    location_ = url;
    if (!view_ && createWebView_) {
        view_ = createWebView_(this);
        // One attempt: a missing module would only fail again.
        createWebView_ = nullptr;
        if (view_)
            layout()->addWidget(view_);
    }
    if (view_)
        view_->Navigate(QUrl(url, QUrl::TolerantMode));
}
