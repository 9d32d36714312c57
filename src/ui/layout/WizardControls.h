#pragma once

class BannerPreview;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QStackedWidget;

// The controls of one memo page (pages 5 to 9): a memo, Create and Delete, the list and the
// details memo.
struct MemoPageControls {
    QPlainTextEdit* input = nullptr;
    QPushButton* create = nullptr;
    QPushButton* remove = nullptr;
    QListWidget* list = nullptr;
    QPlainTextEdit* details = nullptr;
};

// The wizard window's controls, band by band and page by page, under their design names.
struct WizardControls {
    // Bands.
    QFrame* bsSkinPanel1 = nullptr;
    QFrame* panBanner = nullptr;
    QStackedWidget* ntbMain = nullptr;
    QFrame* panWizard = nullptr;
    QFrame* panLinks = nullptr;
    QLabel* imgBanner = nullptr;
    QLabel* gifBanner = nullptr;
    QLabel* lblBannerTitle = nullptr;
    QPushButton* btnLoad = nullptr;
    QPushButton* btnSave = nullptr;
    QPushButton* btnHelp = nullptr;
    QPushButton* btnUpdate = nullptr;
    QPushButton* btnMakeMoney = nullptr;
    QPushButton* btnBack = nullptr;
    QPushButton* btnNext = nullptr;
    QLabel* lblLink1URL = nullptr;
    QLabel* lblLink2URL = nullptr;

    // Pages 0 and 1.
    QLineEdit* edtTitlePage = nullptr;
    QLineEdit* edtAffiliateURL = nullptr;
    QLineEdit* edtClickbankID = nullptr;
    QComboBox* cbxTemplates = nullptr;
    QGroupBox* bsSkinGroupBox1 = nullptr;
    QLabel* Image1 = nullptr;

    // Pages 2 to 4.
    QLineEdit* edtAchorText = nullptr;
    QPushButton* btnCreateLinkPromo = nullptr;
    QPushButton* btnDeleteLinkPromo = nullptr;
    QListWidget* lbxLinkPromo = nullptr;
    QLineEdit* edtPPCTitle = nullptr;
    QPlainTextEdit* memPPCBody = nullptr;
    QLineEdit* edtPPCLink = nullptr;
    QPushButton* btnCreateProm = nullptr;
    QPushButton* btnDeleteProm = nullptr;
    QListWidget* lbxPPCAds = nullptr;
    QPlainTextEdit* memPPCDetails = nullptr;
    QLineEdit* edtImageUrl = nullptr;
    QPushButton* btnBrowseImage = nullptr;
    QPushButton* btnCreateImageUrl = nullptr;
    QPushButton* btnDeleteImageUrl = nullptr;
    QListWidget* lbxBanners = nullptr;
    QGroupBox* bsSkinGroupBox2 = nullptr;
    BannerPreview* EmbeddedWB1 = nullptr;

    // Pages 5 to 9.
    MemoPageControls signatures;
    MemoPageControls emails;
    MemoPageControls autoEmails;
    MemoPageControls articles;
    MemoPageControls popUps;

    // Page 10.
    QRadioButton* rbtSaveWeb = nullptr;
    QRadioButton* rbtClipboard = nullptr;
    QLineEdit* edtFilename = nullptr;
    QPushButton* btnFinish = nullptr;
    QPushButton* btnPreview = nullptr;
};
