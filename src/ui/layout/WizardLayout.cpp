#include "ui/layout/WizardLayout.h"

#include "ui/ListBoxRows.h"
#include "ui/layout/ControlBuilders.h"
#include "ui/layout/MemoPages.h"
#include "ui/preview/BannerPreview.h"

#include <QBoxLayout>
#include <QButtonGroup>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <algorithm>

namespace {

void CreateButtonBar(QWidget* window, WizardControls& c, QVBoxLayout* bands) {
    c.bsSkinPanel1 = Band(window, bands, "bsSkinPanel1", 37);
    c.btnLoad = Button(c.bsSkinPanel1, "btnLoad", "Load Configuration", {8, 6, 125, 20});
    c.btnSave = Button(c.bsSkinPanel1, "btnSave", "Save Configuration", {140, 6, 125, 20});
    c.btnHelp = Button(c.bsSkinPanel1, "btnHelp", "Help", {272, 6, 95, 20});
    c.btnUpdate = Button(c.bsSkinPanel1, "btnUpdate", "Check Updates", {374, 6, 99, 20});
    c.btnMakeMoney = Button(c.bsSkinPanel1, "btnMakeMoney", "Make Money", {480, 6, 125, 20});
}

void CreateBannerBand(QWidget* window, WizardControls& c, QVBoxLayout* bands) {
    c.panBanner = Band(window, bands, "panBanner", 65);
    c.imgBanner = Named(new QLabel(c.panBanner), "imgBanner");
    c.imgBanner->setGeometry(0, 0, 468, 60);
    c.gifBanner = Named(new QLabel(c.panBanner), "gifBanner");
    c.gifBanner->hide();
    // Stands in the band until a brand's own banner covers it.
    auto* brand = new QHBoxLayout(c.panBanner);
    c.lblBannerTitle = Label(c.panBanner, "lblBannerTitle", "Affiliate Vantor", {0, 0}, "brand");
    brand->addWidget(c.lblBannerTitle, 0, Qt::AlignCenter);
}

void CreateWelcomePage(WizardControls& c) {
    QWidget* page = Page(c.ntbMain, "Welcome");
    StepLabel(page, "bsSkinStdLabel1",
              "Welcome! In a few steps you'll create an impressive affiliate page.", {14, 8});
    StepLabel(page, "bsSkinStdLabel3", "Step 1: Create a new page", {14, 26});
    c.edtTitlePage = Edit(page, "edtTitlePage", {14, 75}, 278);
    LabelControl(Label(page, "bsSkinStdLabel2", "Enter the title of your new page:", {14, 55}),
                 c.edtTitlePage);
    c.edtAffiliateURL = Edit(page, "edtAffiliateURL", {14, 134}, 278);
    LabelControl(
        Label(page, "bsSkinStdLabel5",
              "Enter your product's affiliate URL, using \"xxxx\" where the Affiliate ID part is "
              "located:",
              {14, 113}),
        c.edtAffiliateURL);
    Label(page, "bsSkinStdLabel8", "Examples:", {303, 132});
    Label(page, "bsSkinStdLabel6", "http://xxxx.vendor.hop.clickbank.net", {303, 147});
    Label(page, "bsSkinStdLabel7", "http://www.paydotcom.net/r/51836/xxxx", {303, 163});
    c.edtClickbankID = Edit(page, "edtClickbankID", {14, 197}, 278);
    LabelControl(
        Label(page, "bsSkinStdLabel9", "Enter your Affiliate ID (PayPal Email):", {14, 177}),
        c.edtClickbankID);
    Label(page, "bsSkinStdLabel44", "Optional", {300, 199});
}

void CreateTemplatePage(WizardControls& c) {
    QWidget* page = Page(c.ntbMain, "Template");
    StepLabel(page, "bsSkinStdLabel11", "Step 2: Select a template to customize", {16, 8});
    c.cbxTemplates = Named(new QComboBox(page), "cbxTemplates");
    LabelControl(Label(page, "bsSkinStdLabel10", "Template:", {16, 52}), c.cbxTemplates);
    c.cbxTemplates->setGeometry(72, 48, 193, 20);
    c.cbxTemplates->setMaxVisibleItems(8);
    // A list popup, not the style's menu-like one, which would show every entry at once.
    c.cbxTemplates->setStyleSheet("combobox-popup: 0;");
    c.bsSkinGroupBox1 = Named(new QGroupBox("Preview", page), "bsSkinGroupBox1");
    c.bsSkinGroupBox1->setGeometry(288, 48, 400, 290);
    c.Image1 = Named(new QLabel(c.bsSkinGroupBox1), "Image1");
    c.Image1->setAlignment(Qt::AlignCenter);
    (new QVBoxLayout(c.bsSkinGroupBox1))->addWidget(c.Image1);
}

void CreateLinkPromoPage(WizardControls& c) {
    QWidget* page = Page(c.ntbMain, "LinkPromo");
    StepLabel(page, "bsSkinStdLabel12", "Step 3: Create your Text Link Promo.", {14, 8});
    c.edtAchorText = Edit(page, "edtAchorText", {20, 72}, 309);
    LabelControl(Label(page, "bsSkinStdLabel14", " Write your anchor text:", {17, 51}),
                 c.edtAchorText);
    c.btnCreateLinkPromo = Button(page, "btnCreateLinkPromo", "Create Ad", {160, 101, 81, 25});
    c.btnDeleteLinkPromo = Button(page, "btnDeleteLinkPromo", "Delete Ad", {247, 101, 81, 25});
    c.lbxLinkPromo = ListBox(page, "lbxLinkPromo", {344, 72, 369, 121});
    LabelControl(Label(page, "bsSkinStdLabel13", "Text Link Promos:", {346, 51}), c.lbxLinkPromo);
}

void CreatePPCPromoPage(WizardControls& c) {
    QWidget* page = Page(c.ntbMain, "PPCPromo");
    StepLabel(page, "bsSkinStdLabel22", "Step 4: Create your PPC Ad Promo.", {14, 8});
    c.edtPPCTitle = Edit(page, "edtPPCTitle", {52, 50}, 278);
    LabelControl(Label(page, "bsSkinStdLabel17", "Title:", {19, 53}), c.edtPPCTitle);
    c.memPPCBody = Memo(page, "memPPCBody", {53, 95, 278, 72});
    LabelControl(Label(page, "bsSkinStdLabel18", "Body:", {19, 95}), c.memPPCBody);
    c.edtPPCLink = Edit(page, "edtPPCLink", {52, 181}, 278);
    LabelControl(Label(page, "EdtLink", "Link:", {19, 184}), c.edtPPCLink);
    c.btnCreateProm = Button(page, "btnCreateProm", "Create Ad", {156, 212, 84, 25});
    c.btnDeleteProm = Button(page, "btnDeleteProm", "Delete Ad", {246, 212, 84, 25});
    c.lbxPPCAds = ListBox(page, "lbxPPCAds", {348, 49, 364, 111});
    LabelControl(Label(page, "bsSkinStdLabel15", "PPC Ad Promos:", {351, 31}), c.lbxPPCAds);
    c.memPPCDetails = Memo(page, "memPPCDetails", {349, 183, 364, 107});
    LabelControl(Label(page, "bsSkinStdLabel16", "Ad details:", {350, 166}), c.memPPCDetails);
    c.memPPCDetails->setReadOnly(true);
}

void CreateBannerPromoPage(WizardControls& c,
                           const std::function<WebView*(QWidget*)>& createWebView) {
    QWidget* page = Page(c.ntbMain, "BannerPromo");
    StepLabel(page, "bsSkinStdLabel25", "Step 5: Create your Banner Ad Promo.", {14, 8});
    c.edtImageUrl = Edit(page, "edtImageUrl", {19, 69}, 278);
    LabelControl(Label(page, "bsSkinStdLabel20", "Choose image URL or browse:", {19, 49}),
                 c.edtImageUrl);
    c.btnBrowseImage = Button(page, "btnBrowseImage", "Browse", {304, 69, 75, 25});
    c.btnCreateImageUrl = Button(page, "btnCreateImageUrl", "Create Ad", {129, 101, 80, 25});
    c.btnDeleteImageUrl = Button(page, "btnDeleteImageUrl", "Delete Ad", {215, 101, 80, 25});
    c.lbxBanners = ListBox(page, "lbxBanners", {388, 69, 325, 60});
    FitRowsToWidth(c.lbxBanners);
    LabelControl(Label(page, "bsSkinStdLabel19", "Banner Ad Promos:", {390, 49}), c.lbxBanners);
    c.bsSkinGroupBox2 = Named(new QGroupBox("Preview", page), "bsSkinGroupBox2");
    c.bsSkinGroupBox2->setGeometry(390, 138, 324, 191);
    AnchorToAllEdges(c.bsSkinGroupBox2);
    c.EmbeddedWB1 = Named(new BannerPreview(createWebView, c.bsSkinGroupBox2), "EmbeddedWB1");
    (new QVBoxLayout(c.bsSkinGroupBox2))->addWidget(c.EmbeddedWB1);
}

void CreateFinishPage(WizardControls& c) {
    QWidget* page = Page(c.ntbMain, "Finish");
    StepLabel(page, "bsSkinStdLabel29", "Finish! Click Generate Code and you are done.", {14, 8});
    c.rbtSaveWeb = Named(new QRadioButton("Save as web page", page), "rbtSaveWeb");
    c.rbtSaveWeb->setGeometry(36, 35, 189, 25);
    c.rbtSaveWeb->setChecked(true);
    c.edtFilename = Edit(page, "edtFilename", {154, 62}, 121);
    LabelControl(Label(page, "bsSkinStdLabel31", "Output filename:", {60, 65}), c.edtFilename);
    c.edtFilename->setText("affiliatepage.htm");
    c.rbtClipboard =
        Named(new QRadioButton("Place code in your clipboard to paste in your html editor", page),
              "rbtClipboard");
    c.rbtClipboard->setGeometry(36, 86, 393, 25);
    auto* deliveryChoice = new QButtonGroup(page);
    deliveryChoice->addButton(c.rbtSaveWeb);
    deliveryChoice->addButton(c.rbtClipboard);
    c.btnFinish = Button(page, "btnFinish", "Generate Code", {39, 127, 114, 25});
    c.btnPreview = Button(page, "btnPreview", "Preview", {159, 127, 114, 25});
}

void CreateWizardBand(QWidget* window, WizardControls& c, QVBoxLayout* bands) {
    c.panWizard = Band(window, bands, "panWizard", 37);
    c.btnBack = Button(c.panWizard, "btnBack", "Back", {7, 7, 113, 25});
    c.btnNext = Button(c.panWizard, "btnNext", "Next", {124, 7, 113, 25});
}

void CreateLinksBand(QWidget* window, WizardControls& c, QVBoxLayout* bands) {
    c.panLinks = Band(window, bands, "panLinks", 36);
    auto* links = new QHBoxLayout(c.panLinks);
    links->setContentsMargins(13, 9, 13, 0);
    c.lblLink1URL = LinkLabel(c.panLinks, "lblLink1URL", "Affiliate Vantor home page",
                              "http://www.affiliatevantor.com/");
    c.lblLink2URL = LinkLabel(c.panLinks, "lblLink2URL", "Affiliate marketing tips",
                              "http://www.affiliatevantor.com/tips/");
    c.lblLink2URL->setAlignment(Qt::AlignRight | Qt::AlignTop);
    links->addWidget(c.lblLink1URL, 0, Qt::AlignTop);
    links->addStretch(1);
    links->addWidget(c.lblLink2URL, 0, Qt::AlignTop);
}

// Tab moves through the later pages' controls after those of page 0, as if they had been made
// with it, and before the wizard bar's.
void KeepTabOrderOfPages(WizardControls& c) {
    QWidget* previous = c.edtClickbankID;
    for (int index = 1; index < c.ntbMain->count(); ++index) {
        const auto controls = c.ntbMain->widget(index)->findChildren<QWidget*>();
        for (QWidget* control : controls) {
            // A control's own parts (a memo's viewport, a list's scroll bars) move with it.
            const bool part = std::any_of(controls.begin(), controls.end(), [&](QWidget* other) {
                return other != control && other->isAncestorOf(control) &&
                       other->focusPolicy() != Qt::NoFocus;
            });
            // A drop-down list's popup is a window of its own.
            if (control->focusPolicy() == Qt::NoFocus || part || control->isWindow() ||
                control->window() != previous->window())
                continue;
            QWidget::setTabOrder(previous, control);
            previous = control;
        }
    }
}

} // namespace

void CreateFirstPageControls(QWidget* window, WizardControls& c) {
    auto* bands = new QVBoxLayout(window);
    bands->setContentsMargins(0, 0, 0, 0);
    bands->setSpacing(0);
    CreateButtonBar(window, c, bands);
    CreateBannerBand(window, c, bands);
    c.ntbMain = Named(new QStackedWidget(window), "ntbMain");
    bands->addWidget(c.ntbMain, 1);
    // Every page is there from the start, so that paging works; pages 1 to 10 get their
    // controls once the window is on the screen.
    for (const char* name :
         {"Welcome", "Template", "LinkPromo", "PPCPromo", "BannerPromo", "SignaturePromo",
          "EmailPromo", "AutoresponderPromo", "ArticlePromo", "CodePromo", "Finish"})
        Page(c.ntbMain, name);
    CreateWelcomePage(c);
    CreateWizardBand(window, c, bands);
    CreateLinksBand(window, c, bands);
}

void CreateOtherPageControls(WizardControls& c,
                             const std::function<WebView*(QWidget*)>& createWebView) {
    CreateTemplatePage(c);
    CreateLinkPromoPage(c);
    CreatePPCPromoPage(c);
    CreateBannerPromoPage(c, createWebView);
    CreateMemoPages(c.ntbMain, c);
    CreateFinishPage(c);
    KeepTabOrderOfPages(c);
}
