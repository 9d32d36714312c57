#include "ui/FMain.h"
#include "ui/ListBoxRows.h"
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
#include <QTimer>
#include <limits>
#include <tuple>

// The window's controls at their design positions; the handlers live in the other FMain files.

namespace {

template <typename Widget> Widget* Named(Widget* widget, const char* name) {
    widget->setObjectName(QLatin1String(name));
    return widget;
}

// A plain label sized to its text; Role picks its look in the skin.
QLabel* Label(QWidget* parent, const char* name, const QString& text, QPoint at,
              const char* role = "") {
    auto* label = Named(new QLabel(text, parent), name);
    label->setTextFormat(Qt::PlainText);
    label->setProperty("role", role);
    label->adjustSize();
    label->move(at);
    return label;
}

// Names a control after the label beside it, for screen readers; the label leads to it.
void LabelControl(QLabel* label, QWidget* control) {
    label->setBuddy(control);
    control->setAccessibleName(label->text().trimmed());
}

QLabel* StepLabel(QWidget* page, const char* name, const QString& text, QPoint at) {
    return Label(page, name, text, at, "step");
}

QPushButton* Button(QWidget* parent, const char* name, const QString& caption, QRect geometry) {
    auto* button = Named(new QPushButton(caption, parent), name);
    button->setGeometry(geometry);
    // Tab reaches a button and Space or Enter presses it; a click leaves the focus where it was.
    button->setFocusPolicy(Qt::TabFocus);
    button->setAutoDefault(true);
    button->setCursor(Qt::PointingHandCursor);
    return button;
}

QLineEdit* Edit(QWidget* parent, const char* name, QPoint at, int width) {
    auto* edit = Named(new QLineEdit(parent), name);
    edit->setGeometry(QRect(at, QSize(width, 18)));
    // Qt's default limit would cut long pasted or loaded text.
    edit->setMaxLength(std::numeric_limits<int>::max());
    return edit;
}

QPlainTextEdit* Memo(QWidget* parent, const char* name, QRect geometry) {
    auto* memo = Named(new QPlainTextEdit(parent), name);
    memo->setGeometry(geometry);
    memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    memo->setTabChangesFocus(true);
    return memo;
}

QListWidget* ListBox(QWidget* parent, const char* name, QRect geometry) {
    auto* list = Named(new QListWidget(parent), name);
    list->setGeometry(geometry);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    return list;
}

// A page's size in the design, from which anchored controls take their distances to its edges.
constexpr QSize DesignPageSize(730, 344);

// Keeps a control's design distances to all four edges of its page as the page resizes.
void AnchorToAllEdges(QWidget* control) {
    const QRect design = control->geometry();
    auto* anchors = new QVBoxLayout(control->parentWidget());
    anchors->setContentsMargins(design.left(), design.top(),
                                DesignPageSize.width() - design.right() - 1,
                                DesignPageSize.height() - design.bottom() - 1);
    anchors->addWidget(control);
}

QWidget* Page(QStackedWidget* pages, const char* name) {
    auto* page = Named(new QWidget(pages), name);
    pages->addWidget(page);
    return page;
}

QFrame* Band(QWidget* window, QVBoxLayout* bands, const char* name, int height) {
    auto* band = Named(new QFrame(window), name);
    band->setFixedHeight(height);
    bands->addWidget(band);
    return band;
}

QLabel* LinkLabel(QWidget* parent, const char* name, const QString& caption, const QString& url) {
    auto* label = Named(new QLabel(caption, parent), name);
    label->setProperty("URL", url);
    label->setProperty("role", "link");
    label->setCursor(Qt::PointingHandCursor);
    label->setFocusPolicy(Qt::TabFocus);
    return label;
}

// One labelled control of a memo page: its name and place, and the label that names it.
struct LabelledControl {
    const char* name;
    QRect geometry;
    const char* labelName;
    const char* label;
    QPoint labelAt;
};

struct ButtonPair {
    const char* createName;
    const char* deleteName;
    QPoint at;
};

// Pages 5 to 9 share one shape: a memo, two buttons, a list and a details memo, each in the same
// place on every page, so that nothing shifts while the user pages through them.
struct MemoPage {
    const char* pageName;
    const char* step;
    LabelledControl input;
    ButtonPair buttons;
    LabelledControl list;
    LabelledControl details;
};

// Each control on two lines: its name and place, then its label.
// clang-format off
const MemoPage SignaturePage{
    "SignaturePromo", "Step 6: Create your Signature Ad Promo.",
    {"memSignature", {20, 66, 336, 103},
     "bsSkinStdLabel21", "Enter your Signature Promo:", {19, 48}},
    {"btnAddSignature", "btnDeleteSignature", {174, 179}},
    {"lbxSignatures", {367, 67, 348, 103},
     "bsSkinStdLabel34", "Signature Promos:", {367, 48}},
    {"memSignatureDetails", {367, 196, 348, 103},
     "bsSkinStdLabel35", "Signature Promo Details:", {367, 179}},
};

const MemoPage EmailPage{
    "EmailPromo", "Step 7: Create your Email Ad.",
    {"memEmail", {20, 66, 336, 103},
     "bsSkinStdLabel24", " Write your email:", {16, 48}},
    {"btnCreateEmail", "btnDeleteEmail", {174, 179}},
    {"lbxEmails", {367, 67, 348, 103},
     "bsSkinStdLabel23", "Email Ads:", {367, 48}},
    {"memEmailDetails", {367, 196, 348, 103},
     "bsSkinStdLabel32", "Email Ad Details:", {367, 179}},
};

const MemoPage AutoEmailPage{
    "AutoresponderPromo", "Step 8: Create your Autoresponder Email Promo.",
    {"memAutoEmail", {20, 66, 336, 103},
     "bsSkinStdLabel26", " Write your email:", {16, 48}},
    {"btnCreateAutoEmail", "btnDeleteAutoEmail", {174, 179}},
    {"lbxAutoEmail", {367, 67, 348, 103},
     "bsSkinStdLabel37", "Email Autoresponder Promos:", {367, 48}},
    {"memAutoEmailDetails", {367, 196, 348, 103},
     "bsSkinStdLabel43", "Autoresponder Email Details:", {367, 179}},
};

const MemoPage ArticlePage{
    "ArticlePromo", "Step 9: Create your Article.",
    {"memArticle", {20, 66, 336, 103},
     "bsSkinStdLabel27", "Enter your Article:", {19, 48}},
    {"btnCreateArticle", "btnDeleteArticle", {174, 179}},
    {"lbxArticles", {367, 67, 348, 103},
     "bsSkinStdLabel28", "Articles:", {367, 48}},
    {"memArticleDetails", {367, 196, 348, 103},
     "bsSkinStdLabel39", "Article Details:", {367, 179}},
};

const MemoPage PopUpPage{
    "CodePromo", "Step 10: Create your PopUp Code.",
    {"memPopUp", {20, 66, 336, 103},
     "bsSkinStdLabel30", "Enter your PopUp Code:", {19, 48}},
    {"btnCreatePopUp", "btnDeletePopUp", {174, 179}},
    {"lbxPopups", {367, 67, 348, 103},
     "bsSkinStdLabel40", "PopUp Codes:", {367, 48}},
    {"memPopUpDetails", {367, 196, 348, 103},
     "bsSkinStdLabel41", "PopUp Code Details:", {367, 179}},
};
// clang-format on

QLabel* LabelOf(QWidget* page, const LabelledControl& control) {
    return Label(page, control.labelName, control.label, control.labelAt);
}

// Builds a memo page: its memo, buttons, list and details memo, in this order.
std::tuple<QPlainTextEdit*, QPushButton*, QPushButton*, QListWidget*, QPlainTextEdit*>
CreateMemoPage(QStackedWidget* pages, const MemoPage& layout) {
    QWidget* page = Page(pages, layout.pageName);
    StepLabel(page, "", layout.step, {14, 8});
    auto* input = Memo(page, layout.input.name, layout.input.geometry);
    LabelControl(LabelOf(page, layout.input), input);
    const QPoint buttons = layout.buttons.at;
    auto* create =
        Button(page, layout.buttons.createName, "Create Ad", {buttons.x(), buttons.y(), 83, 25});
    auto* remove = Button(page, layout.buttons.deleteName, "Delete Ad",
                          {buttons.x() + 88, buttons.y(), 83, 25});
    auto* list = ListBox(page, layout.list.name, layout.list.geometry);
    LabelControl(LabelOf(page, layout.list), list);
    auto* details = Memo(page, layout.details.name, layout.details.geometry);
    LabelControl(LabelOf(page, layout.details), details);
    return {input, create, remove, list, details};
}

} // namespace

void TfrmMain::CreateControls() {
    auto* bands = new QVBoxLayout(this);
    bands->setContentsMargins(0, 0, 0, 0);
    bands->setSpacing(0);
    CreateButtonBar(bands);
    CreateBannerBand(bands);
    ntbMain = Named(new QStackedWidget(this), "ntbMain");
    bands->addWidget(ntbMain, 1);
    CreateWelcomePage();
    CreateTemplatePage();
    CreateLinkPromoPage();
    CreatePPCPromoPage();
    CreateBannerPromoPage();
    CreateMemoPages();
    CreateFinishPage();
    CreateWizardBand(bands);
    CreateLinksBand(bands);
    Timer1 = Named(new QTimer(this), "Timer1");
    Timer1->setInterval(100);
    Timer1->setSingleShot(true);
}

void TfrmMain::CreateButtonBar(QVBoxLayout* bands) {
    bsSkinPanel1 = Band(this, bands, "bsSkinPanel1", 37);
    btnLoad = Button(bsSkinPanel1, "btnLoad", "Load Configuration", {8, 6, 125, 20});
    btnSave = Button(bsSkinPanel1, "btnSave", "Save Configuration", {140, 6, 125, 20});
    btnHelp = Button(bsSkinPanel1, "btnHelp", "Help", {272, 6, 95, 20});
    btnUpdate = Button(bsSkinPanel1, "btnUpdate", "Check Updates", {374, 6, 99, 20});
    btnMakeMoney = Button(bsSkinPanel1, "btnMakeMoney", "Make Money", {480, 6, 125, 20});
}

void TfrmMain::CreateBannerBand(QVBoxLayout* bands) {
    panBanner = Band(this, bands, "panBanner", 65);
    imgBanner = Named(new QLabel(panBanner), "imgBanner");
    imgBanner->setGeometry(0, 0, 468, 60);
    gifBanner = Named(new QLabel(panBanner), "gifBanner");
    gifBanner->hide();
    // Stands in the band until a brand's own banner covers it.
    auto* brand = new QHBoxLayout(panBanner);
    lblBannerTitle = Label(panBanner, "lblBannerTitle", "Affiliate Vantor", {0, 0}, "brand");
    brand->addWidget(lblBannerTitle, 0, Qt::AlignCenter);
}

void TfrmMain::CreateWelcomePage() {
    QWidget* page = Page(ntbMain, "Welcome");
    StepLabel(page, "bsSkinStdLabel1",
              "Welcome! In a few steps you'll create an impressive affiliate page.", {14, 8});
    StepLabel(page, "bsSkinStdLabel3", "Step 1: Create a new page", {14, 26});
    edtTitlePage = Edit(page, "edtTitlePage", {14, 75}, 278);
    LabelControl(Label(page, "bsSkinStdLabel2", "Enter the title of your new page:", {14, 55}),
                 edtTitlePage);
    edtAffiliateURL = Edit(page, "edtAffiliateURL", {14, 134}, 278);
    LabelControl(
        Label(page, "bsSkinStdLabel5",
              "Enter your product's affiliate URL, using \"xxxx\" where the Affiliate ID part is "
              "located:",
              {14, 113}),
        edtAffiliateURL);
    Label(page, "bsSkinStdLabel8", "Examples:", {303, 132});
    Label(page, "bsSkinStdLabel6", "http://xxxx.vendor.hop.clickbank.net", {303, 147});
    Label(page, "bsSkinStdLabel7", "http://www.paydotcom.net/r/51836/xxxx", {303, 163});
    edtClickbankID = Edit(page, "edtClickbankID", {14, 197}, 278);
    LabelControl(
        Label(page, "bsSkinStdLabel9", "Enter your Affiliate ID (PayPal Email):", {14, 177}),
        edtClickbankID);
    Label(page, "bsSkinStdLabel44", "Optional", {300, 199});
}

void TfrmMain::CreateTemplatePage() {
    QWidget* page = Page(ntbMain, "Template");
    StepLabel(page, "bsSkinStdLabel11", "Step 2: Select a template to customize", {16, 8});
    cbxTemplates = Named(new QComboBox(page), "cbxTemplates");
    LabelControl(Label(page, "bsSkinStdLabel10", "Template:", {16, 52}), cbxTemplates);
    cbxTemplates->setGeometry(72, 48, 193, 20);
    cbxTemplates->setMaxVisibleItems(8);
    // A list popup, not the style's menu-like one, which would show every entry at once.
    cbxTemplates->setStyleSheet("combobox-popup: 0;");
    bsSkinGroupBox1 = Named(new QGroupBox("Preview", page), "bsSkinGroupBox1");
    bsSkinGroupBox1->setGeometry(288, 48, 400, 290);
    Image1 = Named(new QLabel(bsSkinGroupBox1), "Image1");
    Image1->setAlignment(Qt::AlignCenter);
    (new QVBoxLayout(bsSkinGroupBox1))->addWidget(Image1);
}

void TfrmMain::CreateLinkPromoPage() {
    QWidget* page = Page(ntbMain, "LinkPromo");
    StepLabel(page, "bsSkinStdLabel12", "Step 3: Create your Text Link Promo.", {14, 8});
    edtAchorText = Edit(page, "edtAchorText", {20, 72}, 309);
    LabelControl(Label(page, "bsSkinStdLabel14", " Write your anchor text:", {17, 51}),
                 edtAchorText);
    btnCreateLinkPromo = Button(page, "btnCreateLinkPromo", "Create Ad", {160, 101, 81, 25});
    btnDeleteLinkPromo = Button(page, "btnDeleteLinkPromo", "Delete Ad", {247, 101, 81, 25});
    lbxLinkPromo = ListBox(page, "lbxLinkPromo", {344, 72, 369, 121});
    LabelControl(Label(page, "bsSkinStdLabel13", "Text Link Promos:", {346, 51}), lbxLinkPromo);
}

void TfrmMain::CreatePPCPromoPage() {
    QWidget* page = Page(ntbMain, "PPCPromo");
    StepLabel(page, "bsSkinStdLabel22", "Step 4: Create your PPC Ad Promo.", {14, 8});
    edtPPCTitle = Edit(page, "edtPPCTitle", {52, 50}, 278);
    LabelControl(Label(page, "bsSkinStdLabel17", "Title:", {19, 53}), edtPPCTitle);
    memPPCBody = Memo(page, "memPPCBody", {53, 95, 278, 72});
    LabelControl(Label(page, "bsSkinStdLabel18", "Body:", {19, 95}), memPPCBody);
    edtPPCLink = Edit(page, "edtPPCLink", {52, 181}, 278);
    LabelControl(Label(page, "EdtLink", "Link:", {19, 184}), edtPPCLink);
    btnCreateProm = Button(page, "btnCreateProm", "Create Ad", {156, 212, 84, 25});
    btnDeleteProm = Button(page, "btnDeleteProm", "Delete Ad", {246, 212, 84, 25});
    lbxPPCAds = ListBox(page, "lbxPPCAds", {348, 49, 364, 111});
    LabelControl(Label(page, "bsSkinStdLabel15", "PPC Ad Promos:", {351, 31}), lbxPPCAds);
    memPPCDetails = Memo(page, "memPPCDetails", {349, 183, 364, 107});
    LabelControl(Label(page, "bsSkinStdLabel16", "Ad details:", {350, 166}), memPPCDetails);
    memPPCDetails->setReadOnly(true);
}

void TfrmMain::CreateBannerPromoPage() {
    QWidget* page = Page(ntbMain, "BannerPromo");
    StepLabel(page, "bsSkinStdLabel25", "Step 5: Create your Banner Ad Promo.", {14, 8});
    edtImageUrl = Edit(page, "edtImageUrl", {19, 69}, 278);
    LabelControl(Label(page, "bsSkinStdLabel20", "Choose image URL or browse:", {19, 49}),
                 edtImageUrl);
    btnBrowseImage = Button(page, "btnBrowseImage", "Browse", {304, 69, 75, 25});
    btnCreateImageUrl = Button(page, "btnCreateImageUrl", "Create Ad", {129, 101, 80, 25});
    btnDeleteImageUrl = Button(page, "btnDeleteImageUrl", "Delete Ad", {215, 101, 80, 25});
    lbxBanners = ListBox(page, "lbxBanners", {388, 69, 325, 60});
    FitRowsToWidth(lbxBanners);
    LabelControl(Label(page, "bsSkinStdLabel19", "Banner Ad Promos:", {390, 49}), lbxBanners);
    bsSkinGroupBox2 = Named(new QGroupBox("Preview", page), "bsSkinGroupBox2");
    bsSkinGroupBox2->setGeometry(390, 138, 324, 191);
    AnchorToAllEdges(bsSkinGroupBox2);
    EmbeddedWB1 = Named(new BannerPreview(services_.createWebView, bsSkinGroupBox2), "EmbeddedWB1");
    (new QVBoxLayout(bsSkinGroupBox2))->addWidget(EmbeddedWB1);
}

void TfrmMain::CreateMemoPages() {
    std::tie(memSignature, btnAddSignature, btnDeleteSignature, lbxSignatures,
             memSignatureDetails) = CreateMemoPage(ntbMain, SignaturePage);
    std::tie(memEmail, btnCreateEmail, btnDeleteEmail, lbxEmails, memEmailDetails) =
        CreateMemoPage(ntbMain, EmailPage);
    std::tie(memAutoEmail, btnCreateAutoEmail, btnDeleteAutoEmail, lbxAutoEmail,
             memAutoEmailDetails) = CreateMemoPage(ntbMain, AutoEmailPage);
    std::tie(memArticle, btnCreateArticle, btnDeleteArticle, lbxArticles, memArticleDetails) =
        CreateMemoPage(ntbMain, ArticlePage);
    std::tie(memPopUp, btnCreatePopUp, btnDeletePopUp, lbxPopups, memPopUpDetails) =
        CreateMemoPage(ntbMain, PopUpPage);
}

void TfrmMain::CreateFinishPage() {
    QWidget* page = Page(ntbMain, "Finish");
    StepLabel(page, "bsSkinStdLabel29", "Finish! Click Generate Code and you are done.", {14, 8});
    rbtSaveWeb = Named(new QRadioButton("Save as web page", page), "rbtSaveWeb");
    rbtSaveWeb->setGeometry(36, 35, 189, 25);
    rbtSaveWeb->setChecked(true);
    edtFilename = Edit(page, "edtFilename", {154, 62}, 121);
    LabelControl(Label(page, "bsSkinStdLabel31", "Output filename:", {60, 65}), edtFilename);
    edtFilename->setText("affiliatepage.htm");
    rbtClipboard =
        Named(new QRadioButton("Place code in your clipboard to paste in your html editor", page),
              "rbtClipboard");
    rbtClipboard->setGeometry(36, 86, 393, 25);
    auto* deliveryChoice = new QButtonGroup(page);
    deliveryChoice->addButton(rbtSaveWeb);
    deliveryChoice->addButton(rbtClipboard);
    btnFinish = Button(page, "btnFinish", "Generate Code", {39, 127, 114, 25});
    btnPreview = Button(page, "btnPreview", "Preview", {159, 127, 114, 25});
}

void TfrmMain::CreateWizardBand(QVBoxLayout* bands) {
    panWizard = Band(this, bands, "panWizard", 37);
    btnBack = Button(panWizard, "btnBack", "Back", {7, 7, 113, 25});
    btnNext = Button(panWizard, "btnNext", "Next", {124, 7, 113, 25});
}

void TfrmMain::CreateLinksBand(QVBoxLayout* bands) {
    panLinks = Band(this, bands, "panLinks", 36);
    auto* links = new QHBoxLayout(panLinks);
    links->setContentsMargins(13, 9, 13, 0);
    lblLink1URL = LinkLabel(panLinks, "lblLink1URL", "Affiliate Vantor home page",
                            "http://www.affiliatevantor.com/");
    lblLink2URL = LinkLabel(panLinks, "lblLink2URL", "Affiliate marketing tips",
                            "http://www.affiliatevantor.com/tips/");
    lblLink2URL->setAlignment(Qt::AlignRight | Qt::AlignTop);
    links->addWidget(lblLink1URL, 0, Qt::AlignTop);
    links->addStretch(1);
    links->addWidget(lblLink2URL, 0, Qt::AlignTop);
}
