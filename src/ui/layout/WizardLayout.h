#pragma once

#include "ui/layout/WizardControls.h"

#include <functional>

class QWidget;
class WebView;

// Builds the window's controls at their design positions, band by band and page by page, into
// Window; the banner preview's web view is made by CreateWebView.
void CreateWizardControls(QWidget* window, WizardControls& controls,
                          const std::function<WebView*(QWidget*)>& createWebView);
