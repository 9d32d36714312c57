#pragma once

#include <QWidget>
#include <filesystem>

class QUrl;

// The web view of the banner preview. The web engine lives in a module of its own, loaded the
// first time a banner is previewed, so that the window starts as quickly as a bare one.
class TWebView : public QWidget {
  public:
    using QWidget::QWidget;

    virtual void Navigate(const QUrl& url) = 0;
};

// The module's entry point, exported as "CreateWebView".
using TCreateWebView = TWebView* (*)(QWidget* parent);

// A web view from the module in Folder; null (with a warning on the console) when the module
// cannot be loaded.
TWebView* LoadWebView(const std::filesystem::path& folder, QWidget* parent);

// True when Qt WebEngine would end the whole program on start: it refuses to run as root with its
// sandbox on.
bool WebEngineRefusesToStart();
