#include "ui/BrandView.h"

#include "Version.h"
#include "branding/BrandingChoice.h"
#include "branding/SkinFile.h"
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

BrandView::BrandView(QWidget* window, const WizardControls& controls,
                     const WindowServices& services)
    : window_(window), c_(controls), services_(services) {}

void BrandView::LoadBranding() {
    const auto choice = LoadBrandingChoice(services_.programFolder, services_.draw);
    if (!choice)
        return;
    if (!choice->AppName.empty()) {
        appName_ = FromModel(choice->AppName);
        window_->setWindowTitle(appName_);
    }
    window_->setWindowTitle(window_->windowTitle() + " v" + AppVersionText);
    MakeMoneyID_ = choice->MakeMoneyID;
    BannerClickURL = choice->BannerClickURL;
    BannerImagePath = choice->BannerImagePath;
    const auto cursor = BannerClickURL.empty() ? Qt::ArrowCursor : Qt::PointingHandCursor;
    c_.imgBanner->setCursor(cursor);
    c_.gifBanner->setCursor(cursor);
    ShowBanner(*choice);
    FooterURL1 = choice->FooterURL1;
    FooterName1 = choice->FooterName1;
    FooterURL2 = choice->FooterURL2;
    FooterName2 = choice->FooterName2;
    ShowLink(c_.lblLink1URL, FooterName1, FooterURL1);
    ShowLink(c_.lblLink2URL, FooterName2, FooterURL2);
    ApplySkin(choice->SkinFile);
    IconPath = choice->IconPath;
    ApplyIcon(choice->IconFile);
}

void BrandView::ShowBanner(const BrandingChoice& choice) {
    // The picture is decoded where it is stored, by the decoder its own name calls for; one that
    // cannot be decoded is passed over like a missing one.
    QLabel* shown = choice.BannerAnimated ? c_.gifBanner : c_.imgBanner;
    QSize size;
    if (!choice.BannerPicture.empty()) {
        const QString picture = FromPath(choice.BannerPicture);
        const QByteArray decoder = QByteArray::fromStdString(choice.BannerDecoder);
        size = choice.BannerAnimated ? PlayAnimation(c_.gifBanner, picture, decoder)
                                     : ShowPicture(c_.imgBanner, picture, decoder);
    }
    if (size.isEmpty()) {
        c_.panBanner->hide();
        return;
    }
    c_.imgBanner->setVisible(shown == c_.imgBanner);
    c_.gifBanner->setVisible(shown == c_.gifBanner);
    shown->resize(size);
    c_.lblBannerTitle->hide();
    c_.panBanner->setFixedHeight(size.height() + 10);
}

void BrandView::CenterBannerPictures() {
    // Each half is truncated on its own, as the layout of the band has always done.
    const QFrame* band = c_.panBanner;
    for (QLabel* picture : {c_.imgBanner, c_.gifBanner})
        picture->move(band->width() / 2 - picture->width() / 2,
                      band->height() / 2 - picture->height() / 2);
}

void BrandView::imgBannerClick() {
    if (!BannerClickURL.empty())
        services_.openInBrowser(BannerClickURL);
}

void BrandView::OpenLinkLabel(QLabel* label) {
    services_.shellOpen(ToModel(label->property("URL").toString()));
}
