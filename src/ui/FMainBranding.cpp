#include "branding/BrandingChoice.h"
#include "branding/SkinFile.h"
#include "ui/FMain.h"
#include "ui/PictureLabel.h"
#include "ui/TextBridge.h"

#include <QApplication>
#include <QFrame>
#include <QIcon>
#include <QImageReader>
#include <QLabel>

namespace {

void ShowLink(QLabel* label, const std::string& caption, const std::string& url) {
    label->setText(FromModel(caption));
    label->setProperty("URL", FromModel(url));
}

// The brand's skin replaces the built-in one for every window, message boxes included.
void ApplySkin(const std::filesystem::path& skinFile) {
    if (skinFile.empty())
        return;
    if (const auto sheet = ReadSkinFile(skinFile))
        qApp->setStyleSheet(FromUtf8Text(*sheet));
}

void ApplyIcon(const std::filesystem::path& iconFile) {
    if (iconFile.empty() || !QImageReader(FromPath(iconFile)).canRead())
        return;
    QApplication::setWindowIcon(QIcon(FromPath(iconFile)));
}

} // namespace

void TfrmMain::LoadBranding() {
    const auto choice = LoadBrandingChoice(AppDir, services_.draw);
    if (!choice)
        return;
    if (!choice->AppName.empty())
        setWindowTitle(FromModel(choice->AppName));
    setWindowTitle(windowTitle() + " v" + AppVersionText);
    MakeMoneyID = choice->MakeMoneyID;
    BannerClickURL = choice->BannerClickURL;
    BannerImagePath = choice->BannerImagePath;
    const auto cursor = BannerClickURL.empty() ? Qt::ArrowCursor : Qt::PointingHandCursor;
    imgBanner->setCursor(cursor);
    gifBanner->setCursor(cursor);
    ShowBanner(*choice);
    FooterURL1 = choice->FooterURL1;
    FooterName1 = choice->FooterName1;
    FooterURL2 = choice->FooterURL2;
    FooterName2 = choice->FooterName2;
    ShowLink(lblLink1URL, FooterName1, FooterURL1);
    ShowLink(lblLink2URL, FooterName2, FooterURL2);
    ApplySkin(choice->SkinFile);
    IconPath = choice->IconPath;
    ApplyIcon(choice->IconFile);
}

void TfrmMain::ShowBanner(const BrandingChoice& choice) {
    // The picture is decoded where it is stored, by the decoder its own name calls for; one that
    // cannot be decoded is passed over like a missing one.
    QLabel* shown = choice.BannerAnimated ? gifBanner : imgBanner;
    QSize size;
    if (!choice.BannerPicture.empty()) {
        const QString picture = FromPath(choice.BannerPicture);
        const QByteArray decoder = QByteArray::fromStdString(choice.BannerDecoder);
        size = choice.BannerAnimated ? PlayAnimation(gifBanner, picture, decoder)
                                     : ShowPicture(imgBanner, picture, decoder);
    }
    if (size.isEmpty()) {
        panBanner->hide();
        return;
    }
    imgBanner->setVisible(shown == imgBanner);
    gifBanner->setVisible(shown == gifBanner);
    shown->resize(size);
    lblBannerTitle->hide();
    panBanner->setFixedHeight(size.height() + 10);
}

void TfrmMain::imgBannerClick() {
    if (!BannerClickURL.empty())
        services_.openInBrowser(BannerClickURL);
}

void TfrmMain::gifBannerClick() {
    imgBannerClick();
}
