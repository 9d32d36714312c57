#include "ui/FMain.h"
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

// The window's controls at their design positions; the handlers live in the other FMain files.

namespace {

template <typename Widget> Widget* Named(Widget* widget, const char* name) {
    widget->setObjectName(QLatin1String(name));
    return widget;
}

// A plain label sized to its text; Role picks its look in the skin.
QLabel* Label(QWidget* parent, const char* name, const QString& text, int x, int y,
              const char* role = "") {
    auto* label = Named(new QLabel(text, parent), name);
    label->setTextFormat(Qt::PlainText);
    label->setProperty("role", role);
    label->adjustSize();
    label->move(x, y);
    return label;
}

// Names a control after the label beside it, for screen readers; the label leads to it.
void LabelControl(QLabel* label, QWidget* control) {
    label->setBuddy(control);
    control->setAccessibleName(label->text().trimmed());
}

QLabel* StepLabel(QWidget* page, const char* name, const QString& text, int x, int y) {
    return Label(page, name, text, x, y, "step");
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

QLineEdit* Edit(QWidget* parent, const char* name, int x, int y, int width) {
    auto* edit = Named(new QLineEdit(parent), name);
    edit->setGeometry(x, y, width, 18);
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

} // namespace

void TfrmMain::CreateControls() {
    auto* bands = new QVBoxLayout(this);
    bands->setContentsMargins(0, 0, 0, 0);
    bands->setSpacing(0);

    bsSkinPanel1 = Band(this, bands, "bsSkinPanel1", 37);
    btnLoad = Button(bsSkinPanel1, "btnLoad", "Load Configuration", {8, 6, 125, 20});
    btnSave = Button(bsSkinPanel1, "btnSave", "Save Configuration", {140, 6, 125, 20});
    btnHelp = Button(bsSkinPanel1, "btnHelp", "Help", {272, 6, 95, 20});
    btnUpdate = Button(bsSkinPanel1, "btnUpdate", "Check Updates", {374, 6, 99, 20});
    btnMakeMoney = Button(bsSkinPanel1, "btnMakeMoney", "Make Money", {480, 6, 125, 20});

    panBanner = Band(this, bands, "panBanner", 65);
    imgBanner = Named(new QLabel(panBanner), "imgBanner");
    imgBanner->setGeometry(0, 0, 468, 60);
    gifBanner = Named(new QLabel(panBanner), "gifBanner");
    gifBanner->hide();
    // Stands in the band until a brand's own banner covers it.
    auto* brand = new QHBoxLayout(panBanner);
    lblBannerTitle = Label(panBanner, "lblBannerTitle", "Affiliate Vantor", 0, 0, "brand");
    brand->addWidget(lblBannerTitle, 0, Qt::AlignCenter);

    ntbMain = Named(new QStackedWidget(this), "ntbMain");
    bands->addWidget(ntbMain, 1);

    QWidget* page = Page(ntbMain, "Welcome");
    StepLabel(page, "bsSkinStdLabel1",
              "Welcome! In a few steps you'll create an impresive affiliate page.", 14, 8);
    StepLabel(page, "bsSkinStdLabel3", "Step 1: Create a new page", 14, 26);
    edtTitlePage = Edit(page, "edtTitlePage", 14, 75, 278);
    LabelControl(Label(page, "bsSkinStdLabel2", "Enter title of your new page:", 14, 55),
                 edtTitlePage);
    edtAffiliateURL = Edit(page, "edtAffiliateURL", 14, 134, 278);
    LabelControl(
        Label(page, "bsSkinStdLabel5",
              "Enter your product's affiliate URL, using \"xxxx\" where the Affiliate ID part is "
              "located:",
              14, 113),
        edtAffiliateURL);
    Label(page, "bsSkinStdLabel8", "Examples:", 303, 132);
    Label(page, "bsSkinStdLabel6", "http://xxxx.vendor.hop.clickbank.net", 303, 147);
    Label(page, "bsSkinStdLabel7", "http://www.paydotcom.net/r/51836/xxxx", 303, 163);
    edtClickbankID = Edit(page, "edtClickbankID", 14, 197, 278);
    LabelControl(Label(page, "bsSkinStdLabel9", "Enter your Affiliate ID (Paypal Email):", 14, 177),
                 edtClickbankID);
    Label(page, "bsSkinStdLabel44", "Optional", 300, 199);

    page = Page(ntbMain, "Template");
    StepLabel(page, "bsSkinStdLabel11", "Step 2: Select a template to customize", 16, 8);
    cbxTemplates = Named(new QComboBox(page), "cbxTemplates");
    LabelControl(Label(page, "bsSkinStdLabel10", "Template:", 16, 52), cbxTemplates);
    cbxTemplates->setGeometry(72, 48, 193, 20);
    cbxTemplates->setMaxVisibleItems(8);
    // A list popup, not the style's menu-like one, which would show every entry at once.
    cbxTemplates->setStyleSheet("combobox-popup: 0;");
    bsSkinGroupBox1 = Named(new QGroupBox("Preview", page), "bsSkinGroupBox1");
    bsSkinGroupBox1->setGeometry(288, 48, 400, 290);
    Image1 = Named(new QLabel(bsSkinGroupBox1), "Image1");
    Image1->setAlignment(Qt::AlignCenter);
    (new QVBoxLayout(bsSkinGroupBox1))->addWidget(Image1);

    page = Page(ntbMain, "LinkPromo");
    StepLabel(page, "bsSkinStdLabel12", "Step 3: Create your Text Link Promo.", 14, 8);
    edtAchorText = Edit(page, "edtAchorText", 20, 72, 309);
    LabelControl(Label(page, "bsSkinStdLabel14", " Write your anchor text:", 17, 51), edtAchorText);
    btnCreateLinkPromo = Button(page, "btnCreateLinkPromo", "Create Ad", {160, 101, 81, 25});
    btnDeleteLinkPromo = Button(page, "btnDeleteLinkPromo", "Delete Ad", {247, 101, 81, 25});
    lbxLinkPromo = ListBox(page, "lbxLinkPromo", {344, 72, 369, 121});
    LabelControl(Label(page, "bsSkinStdLabel13", "Text Link Promos:", 346, 51), lbxLinkPromo);

    page = Page(ntbMain, "PPCPromo");
    StepLabel(page, "bsSkinStdLabel22", "Step 4: Create your PPC Ad Promo.", 14, 8);
    edtPPCTitle = Edit(page, "edtPPCTitle", 52, 50, 278);
    LabelControl(Label(page, "bsSkinStdLabel17", "Title:", 19, 53), edtPPCTitle);
    memPPCBody = Memo(page, "memPPCBody", {53, 95, 278, 72});
    LabelControl(Label(page, "bsSkinStdLabel18", "Body:", 19, 95), memPPCBody);
    edtPPCLink = Edit(page, "edtPPCLink", 52, 181, 278);
    LabelControl(Label(page, "EdtLink", "Link:", 19, 184), edtPPCLink);
    btnCreateProm = Button(page, "btnCreateProm", "Create Ad", {156, 212, 84, 25});
    btnDeleteProm = Button(page, "btnDeleteProm", "Delete Ad", {246, 212, 84, 25});
    lbxPPCAds = ListBox(page, "lbxPPCAds", {348, 49, 364, 111});
    LabelControl(Label(page, "bsSkinStdLabel15", "PPC Ads Promos:", 351, 31), lbxPPCAds);
    memPPCDetails = Memo(page, "memPPCDetails", {349, 183, 364, 107});
    LabelControl(Label(page, "bsSkinStdLabel16", "Ad details:", 350, 166), memPPCDetails);
    memPPCDetails->setReadOnly(true);

    page = Page(ntbMain, "BannerPromo");
    StepLabel(page, "bsSkinStdLabel25", "Step 5: Create your Banner Ad Promo.", 14, 8);
    edtImageUrl = Edit(page, "edtImageUrl", 19, 69, 278);
    LabelControl(Label(page, "bsSkinStdLabel20", "Choose image url or browse:", 19, 49),
                 edtImageUrl);
    btnBrowseImage = Button(page, "btnBrowseImage", "Browse", {304, 69, 75, 25});
    btnCreateImageUrl = Button(page, "btnCreateImageUrl", "Create Ad", {129, 101, 80, 25});
    btnDeleteImageUrl = Button(page, "btnDeleteImageUrl", "Delete Ad", {215, 101, 80, 25});
    lbxBanners = ListBox(page, "lbxBanners", {388, 69, 325, 60});
    LabelControl(Label(page, "bsSkinStdLabel19", "Banner Ad Promos:", 390, 49), lbxBanners);
    bsSkinGroupBox2 = Named(new QGroupBox("Preview", page), "bsSkinGroupBox2");
    bsSkinGroupBox2->setGeometry(390, 138, 324, 191);
    AnchorToAllEdges(bsSkinGroupBox2);
    EmbeddedWB1 =
        Named(new TBannerPreview(services_.createWebView, bsSkinGroupBox2), "EmbeddedWB1");
    (new QVBoxLayout(bsSkinGroupBox2))->addWidget(EmbeddedWB1);

    // Pages 5 to 9 share one shape: a memo, two buttons, a list and a details memo.
    struct MemoPage {
        const char* pageName;
        const char* step;
        QPlainTextEdit*& input;
        QPushButton*& create;
        QPushButton*& remove;
        QListWidget*& list;
        QPlainTextEdit*& details;
        const char* inputName;
        const char* createName;
        const char* deleteName;
        const char* listName;
        const char* detailsName;
        const char* inputLabelName;
        const char* listLabelName;
        const char* detailsLabelName;
        const char* inputLabel;
        const char* listLabel;
        const char* detailsLabel;
        QPoint inputLabelAt, inputAt, buttonsAt, listLabelAt, detailsLabelAt, detailsAt;
        QSize listSize;
        QPoint listAt;
    };
    const MemoPage memoPages[] = {
        {"SignaturePromo",
         "Step 6: Create your Signature Ad Promo.",
         memSignature,
         btnAddSignature,
         btnDeleteSignature,
         lbxSignatures,
         memSignatureDetails,
         "memSignature",
         "btnAddSignature",
         "btnDeleteSignature",
         "lbxSignatures",
         "memSignatureDetails",
         "bsSkinStdLabel21",
         "bsSkinStdLabel34",
         "bsSkinStdLabel35",
         "Enter your Signature Promo:",
         "Signature Promos:",
         "Signature Promo Details:",
         {19, 48},
         {20, 66},
         {174, 179},
         {365, 48},
         {367, 179},
         {367, 196},
         {348, 103},
         {367, 67}},
        {"EmailPromo",       "Step 7: Create your Email Ad.",
         memEmail,           btnCreateEmail,
         btnDeleteEmail,     lbxEmails,
         memEmailDetails,    "memEmail",
         "btnCreateEmail",   "btnDeleteEmail",
         "lbxEmails",        "memEmailDetails",
         "bsSkinStdLabel24", "bsSkinStdLabel23",
         "bsSkinStdLabel32", " Write your email:",
         "Email Ads:",       "Email Ad Details:",
         {16, 48},           {20, 66},
         {174, 179},         {370, 47},
         {367, 179},         {367, 196},
         {348, 103},         {367, 67}},
        {"AutoresponderPromo",
         "Step 8: Create your Autoresponder Email Promo.",
         memAutoEmail,
         btnCreateAutoEmail,
         btnDeleteAutoEmail,
         lbxAutoEmail,
         memAutoEmailDetails,
         "memAutoEmail",
         "btnCreateAutoEmail",
         "btnDeleteAutoEmail",
         "lbxAutoEmail",
         "memAutoEmailDetails",
         "bsSkinStdLabel26",
         "bsSkinStdLabel37",
         "bsSkinStdLabel43",
         " Write your email:",
         "Email Autoresponder Promos:",
         "Autoresponder Email Details:",
         {16, 48},
         {20, 66},
         {174, 179},
         {373, 47},
         {367, 179},
         {367, 196},
         {348, 103},
         {367, 67}},
        {"ArticlePromo",     "Step 9: Create your Article.",
         memArticle,         btnCreateArticle,
         btnDeleteArticle,   lbxArticles,
         memArticleDetails,  "memArticle",
         "btnCreateArticle", "btnDeleteArticle",
         "lbxArticles",      "memArticleDetails",
         "bsSkinStdLabel27", "bsSkinStdLabel28",
         "bsSkinStdLabel39", "Enter your Article:",
         "Articles:",        "Article Details:",
         {19, 46},           {20, 64},
         {184, 177},         {366, 46},
         {366, 176},         {366, 194},
         {353, 102},         {366, 65}},
        {"CodePromo",        "Step 10: Create your PopUp Code.",
         memPopUp,           btnCreatePopUp,
         btnDeletePopUp,     lbxPopups,
         memPopUpDetails,    "memPopUp",
         "btnCreatePopUp",   "btnDeletePopUp",
         "lbxPopups",        "memPopUpDetails",
         "bsSkinStdLabel30", "bsSkinStdLabel40",
         "bsSkinStdLabel41", "Enter your PopUp Code:",
         "PopUp Codes:",     "PopUp Code Details:",
         {19, 48},           {20, 66},
         {174, 179},         {361, 48},
         {361, 178},         {362, 196},
         {353, 102},         {361, 67}},
    };
    for (const MemoPage& memoPage : memoPages) {
        page = Page(ntbMain, memoPage.pageName);
        StepLabel(page, "", memoPage.step, 14, 8);
        memoPage.input = Memo(page, memoPage.inputName, {memoPage.inputAt, QSize(336, 103)});
        LabelControl(Label(page, memoPage.inputLabelName, memoPage.inputLabel,
                           memoPage.inputLabelAt.x(), memoPage.inputLabelAt.y()),
                     memoPage.input);
        const QPoint buttons = memoPage.buttonsAt;
        memoPage.create =
            Button(page, memoPage.createName, "Create Ad", {buttons.x(), buttons.y(), 83, 25});
        memoPage.remove =
            Button(page, memoPage.deleteName, "Delete Ad", {buttons.x() + 88, buttons.y(), 83, 25});
        memoPage.list = ListBox(page, memoPage.listName, {memoPage.listAt, memoPage.listSize});
        LabelControl(Label(page, memoPage.listLabelName, memoPage.listLabel,
                           memoPage.listLabelAt.x(), memoPage.listLabelAt.y()),
                     memoPage.list);
        memoPage.details = Memo(page, memoPage.detailsName, {memoPage.detailsAt, QSize(345, 103)});
        LabelControl(Label(page, memoPage.detailsLabelName, memoPage.detailsLabel,
                           memoPage.detailsLabelAt.x(), memoPage.detailsLabelAt.y()),
                     memoPage.details);
    }

    page = Page(ntbMain, "Finish");
    StepLabel(page, "bsSkinStdLabel29", "Finish! Click Generate Code And You Are Done...", 14, 8);
    rbtSaveWeb = Named(new QRadioButton("Save as web page", page), "rbtSaveWeb");
    rbtSaveWeb->setGeometry(36, 35, 189, 25);
    rbtSaveWeb->setChecked(true);
    edtFilename = Edit(page, "edtFilename", 154, 62, 121);
    LabelControl(Label(page, "bsSkinStdLabel31", "Output filename:", 60, 65), edtFilename);
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

    panWizard = Band(this, bands, "panWizard", 37);
    btnBack = Button(panWizard, "btnBack", "Back", {7, 7, 113, 25});
    btnNext = Button(panWizard, "btnNext", "Next", {124, 7, 113, 25});

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

    Timer1 = Named(new QTimer(this), "Timer1");
    Timer1->setInterval(100);
    Timer1->setSingleShot(true);
}
