#include "generator/PreviewCopies.h"
#include "ui/preview/PictureView.h"
#include "ui/preview/PreviewServices.h"
#include "util/files/FileUrl.h"

void ProvidePreviews(WindowServices& services) {
    // Qt's own views lack style sheets and scripts, so the page goes to the user's browser as a
    // file. The copies live as long as the services that hold this lambda: the window's.
    auto copies = std::make_shared<PreviewCopies>();
    services.showPreview =
        [copies, openInBrowser = services.openInBrowser](QWidget*, const std::string& pageText,
                                                         const std::filesystem::path& baseFolder) {
            openInBrowser(FileUrl(copies->Write(PreviewCopyBytes(pageText, baseFolder))));
        };
    services.createWebView = [openInBrowser = services.openInBrowser](QWidget* parent) {
        return new PictureView(openInBrowser, parent);
    };
}
