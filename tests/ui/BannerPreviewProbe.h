#pragma once

#include "ui/BannerPreview.h"

#include <QWidget>

// The address the banner preview was last told to show.
inline QString BannerPreviewLocation(QWidget* window) {
    return window->findChild<TBannerPreview*>("EmbeddedWB1")->LocationURL();
}
