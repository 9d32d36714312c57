#include "ui/PagePreviewModule.h"
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
    services.createWebView = [folder = services.programFolder](QWidget* parent) {
        return LoadWebView(folder, parent);
    };
}
