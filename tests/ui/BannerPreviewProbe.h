#pragma once

#include "ui/preview/BannerPreview.h"

#include <QWidget>

// The address the banner preview was last told to show.
inline QString BannerPreviewLocation(QWidget* window) {
    return window->findChild<BannerPreview*>("EmbeddedWB1")->LocationURL();
}

// The preview's web view, its only child widget; null until the first banner is shown.
inline QWidget* BannerWebView(QWidget* window) {
    return window->findChild<QWidget*>("EmbeddedWB1")->findChild<QWidget*>();
}
