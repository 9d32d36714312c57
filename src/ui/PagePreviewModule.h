#pragma once

#include <QString>
#include <QUrl>
#include <QtPlugin>
#include <filesystem>

class QWidget;

// The page preview lives in a module of its own, loaded when the first preview opens, so that
// the web engine costs the program's start-up nothing.
class TPagePreviewModule {
  public:
    virtual ~TPagePreviewModule() = default;

    // Shows Html in Owner's preview window, made on first use; relative addresses resolve
    // against BaseUrl.
    virtual void ShowPage(QWidget* owner, const QString& html, const QUrl& baseUrl) = 0;
};

#define TPagePreviewModule_iid "com.affiliatevantor.PagePreviewModule/1.0"
Q_DECLARE_INTERFACE(TPagePreviewModule, TPagePreviewModule_iid)

// Shows a page in Owner's preview window, its relative addresses resolved in BaseFolder. Loads
// the module from ModuleFile on first use; throws AppError when it cannot be loaded.
void ShowPagePreview(const QString& moduleFile, QWidget* owner, const QString& html,
                     const std::filesystem::path& baseFolder);
