#include "ui/TextBridge.h"
#include "ui/preview/PictureView.h"
#include "ui/preview/PreviewServices.h"
#include "ui/preview/WebEngineModule.h"
#include "util/AppError.h"
#include "util/files/FileHelpers.h"

namespace fs = std::filesystem;

void ProvidePreviews(WindowServices& services) {
    const QString module = FromPath(services.programFolder / VANTOR_WEBENGINE_MODULE);
    services.showPreview = [module](QWidget* owner, const std::string& pageText,
                                    const fs::path& baseFolder) {
        ShowPagePreview(module, owner, FromModel(pageText), baseFolder);
    };
    services.createWebView = [module,
                              openInBrowser = services.openInBrowser](QWidget* parent) -> WebView* {
        try {
            return LoadWebEngineModule(module).CreateWebView(parent);
        } catch (const AppError& error) {
            // Where the engine cannot run, pictures still show and the rest opens in the
            // browser; the unsaved project is never at stake.
            qWarning("%s", error.what());
            return new PictureView(openInBrowser, parent);
        }
    };
}
