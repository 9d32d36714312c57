#pragma once

#include <QString>
#include <QUrl>
#include <QtPlugin>
#include <filesystem>

class QWidget;
class WebView;

// Qt WebEngine's views live in a module of their own, loaded when a banner or a page is first
// previewed, so that the engine costs the program's start-up nothing.
class WebEngineModule {
  public:
    virtual ~WebEngineModule() = default;

    // A web view for the banner preview.
    virtual WebView* CreateWebView(QWidget* parent) = 0;

    // Shows Html in Owner's preview window, made on first use; relative addresses resolve
    // against BaseUrl.
    virtual void ShowPage(QWidget* owner, const QString& html, const QUrl& baseUrl) = 0;
};

#define TWebEngineModule_iid "com.affiliatevantor.WebEngineModule/1.0"
Q_DECLARE_INTERFACE(WebEngineModule, TWebEngineModule_iid)

// True when Qt WebEngine would end the whole program on start: it refuses to run as root with its
// sandbox on.
bool WebEngineRefusesToStart();

// The module in ModuleFile, loaded on first use and never unloaded (the windows it made live as
// long as their owners); throws AppError when the engine cannot start or the module cannot be
// loaded.
WebEngineModule& LoadWebEngineModule(const QString& moduleFile);

// Shows a page in Owner's preview window, its relative addresses resolved in BaseFolder, with
// the module in ModuleFile; throws AppError as LoadWebEngineModule does.
void ShowPagePreview(const QString& moduleFile, QWidget* owner, const QString& html,
                     const std::filesystem::path& baseFolder);
