#pragma once

#include "ui/Services.h"
#include "ui/layout/WizardControls.h"

#include <QString>
#include <string>

struct BrandingChoice;

// The brand beside the program: the window's title, the banner and its click, the footer links,
// the skin and the icon.
class BrandView {
  public:
    BrandView(QWidget* window, const WizardControls& controls, const WindowServices& services);

    void LoadBranding();
    // Centres the banner pictures in their band, as the window is shown or resized.
    void CenterBannerPictures();
    void imgBannerClick();
    void OpenLinkLabel(QLabel* label);
    const std::string& MakeMoneyID() const { return MakeMoneyID_; }
    // The program's name as the brand gives it.
    const QString& AppName() const { return appName_; }

  private:
    void ShowBanner(const BrandingChoice& choice);

    QWidget* window_;
    const WizardControls& c_;
    const WindowServices& services_;
    QString appName_ = "Affiliate Vantor";
    std::string MakeMoneyID_;
    std::string BannerClickURL;
    std::string BannerImagePath;
    std::string FooterURL1;
    std::string FooterName1;
    std::string FooterURL2;
    std::string FooterName2;
    std::string IconPath;
};
