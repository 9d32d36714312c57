#include "ui/preview/PictureView.h"
#include "ui/preview/PreviewServices.h"
#include "ui/preview/TextPagePreview.h"

void ProvidePreviews(WindowServices& services) {
    services.showPreview = [](QWidget* owner, const QString& html,
                              const std::filesystem::path& baseFolder) {
        ShowTextPagePreview(owner, html, baseFolder);
    };
    services.createWebView = [openInBrowser = services.openInBrowser](QWidget* parent) {
        return new PictureView(openInBrowser, parent);
    };
}
