#pragma once

#include "ui/layout/WizardControls.h"

#include <functional>

class QWidget;
class WebView;

// The window's controls at their design positions, band by band and page by page, in two steps:
// first the bands, the eleven pages and the controls of page 0, which the window shows first;
// then the controls of pages 1 to 10, with the banner preview's web view made by CreateWebView.
void CreateFirstPageControls(QWidget* window, WizardControls& controls);
void CreateOtherPageControls(WizardControls& controls,
                             const std::function<WebView*(QWidget*)>& createWebView);
