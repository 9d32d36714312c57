#include "ui/PagePreviewModule.h"
#include "ui/PictureView.h"
#include "ui/PreviewServices.h"
#include "ui/TextBridge.h"
#include "ui/WebView.h"
#include "util/FileHelpers.h"

void ProvidePreviews(TfrmMainServices& services) {
    services.showPreview = [folder = services.programFolder](QWidget* owner, const QString& html,
                                                             const fs::path& baseFolder) {
        const auto module = FromModel(PathText(folder / VANTOR_PAGE_PREVIEW_MODULE));
        ShowPagePreview(module, owner, html, baseFolder);
    };
    services.createWebView = [folder = services.programFolder,
                              openInBrowser = services.openInBrowser](QWidget* parent) {
        // Where the engine cannot run, pictures still show and the rest opens in the browser;
        // the unsaved project is never at stake.
        TWebView* view = WebEngineRefusesToStart() ? nullptr : LoadWebView(folder, parent);
        return view ? view : new TPictureView(openInBrowser, parent);
    };
}
