#include "ui/FMain.h"

#include "model/AffiliateUrl.h"
#include "persistence/RecoveryCopy.h"
#include "ui/Addresses.h"
#include "ui/ClickFilters.h"
#include "ui/ListBoxRows.h"
#include "ui/TextBridge.h"
#include "update/HttpClient.h"
#include "util/UUtils.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QStackedWidget>
#include <QTimer>

namespace {

constexpr int LastPage = 10;

} // namespace

TfrmMain::TfrmMain(WindowServices services, QWidget* parent)
    : QWidget(parent), services_(std::move(services)), AppDir(services_.programFolder) {
    setObjectName("frmMain");
    setWindowTitle("Affiliate Vantor");
    CreateControls();
    // Typing starts in the first box, not on the button bar that comes first in the tab order.
    edtTitlePage->setFocus();
    resize(732, 521);
    setMinimumSize(732, 521);
    if (QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());

    ConnectHandlers();

    IdHTTP1 = std::make_unique<HttpClient>();
    IdAntiFreeze1 = [this] {
        QCoreApplication::processEvents();
        return !downloadCancelled_;
    };

    FormCreate();
    OpenRecovery();
    CreateProjectMenu();
    startedUp_ = true;
    // Asked once the window is up, one after the other: a modal question runs the events of the
    // next, so the project the program was given opens only once the recovery copy is settled.
    QTimer::singleShot(0, this, [this] {
        RunReportingErrors([this] { OfferRecovery(); });
        if (!services_.projectToOpen.empty())
            RunReportingErrors([this] { OpenProject(services_.projectToOpen); });
    });
}

void TfrmMain::ConnectHandlers() {
    using Handler = void (TfrmMain::*)();
    const std::pair<QPushButton*, Handler> clicks[] = {
        {btnLoad, &TfrmMain::btnLoadClick},
        {btnSave, &TfrmMain::btnSaveClick},
        {btnHelp, &TfrmMain::btnHelpClick},
        {btnUpdate, &TfrmMain::btnUpdateClick},
        {btnMakeMoney, &TfrmMain::btnMakeMoneyClick},
        {btnNext, &TfrmMain::btnNextClick},
        {btnBack, &TfrmMain::btnBackClick},
        {btnCreateLinkPromo, &TfrmMain::btnCreateLinkPromoClick},
        {btnDeleteLinkPromo, &TfrmMain::btnDeleteLinkPromoClick},
        {btnCreateProm, &TfrmMain::btnCreatePromClick},
        {btnDeleteProm, &TfrmMain::btnDeletePromClick},
        {btnCreateImageUrl, &TfrmMain::btnCreateImageUrlClick},
        {btnDeleteImageUrl, &TfrmMain::btnDeleteImageUrlClick},
        {btnBrowseImage, &TfrmMain::btnBrowseImageClick},
        {btnAddSignature, &TfrmMain::btnAddSignatureClick},
        {btnDeleteSignature, &TfrmMain::btnDeleteSignatureClick},
        {btnCreateEmail, &TfrmMain::btnCreateEmailClick},
        {btnDeleteEmail, &TfrmMain::btnDeleteEmailClick},
        {btnCreateAutoEmail, &TfrmMain::btnCreateAutoEmailClick},
        {btnDeleteAutoEmail, &TfrmMain::btnDeleteAutoEmailClick},
        {btnCreateArticle, &TfrmMain::btnCreateArticleClick},
        {btnDeleteArticle, &TfrmMain::btnDeleteArticleClick},
        {btnCreatePopUp, &TfrmMain::btnCreatePopUpClick},
        {btnDeletePopUp, &TfrmMain::btnDeletePopUpClick},
        {btnFinish, &TfrmMain::btnFinishClick},
        {btnPreview, &TfrmMain::btnPreviewClick},
    };
    // Every handler reports its own errors: unwinding through Qt's frames, which are built
    // without exceptions, would skip their clean-up.
    auto reporting = [this](Handler handler) {
        return [this, handler] { RunReportingErrors([this, handler] { (this->*handler)(); }); };
    };
    for (const auto& [button, handler] : clicks)
        connect(button, &QPushButton::clicked, this, reporting(handler));

    const std::pair<QListWidget*, Handler> selections[] = {
        {lbxPPCAds, &TfrmMain::lbxPPCAdsListBoxClick},
        {lbxBanners, &TfrmMain::lbxBannersListBoxClick},
        {lbxSignatures, &TfrmMain::lbxSignaturesListBoxClick},
        {lbxEmails, &TfrmMain::lbxEmailsListBoxClick},
        {lbxAutoEmail, &TfrmMain::lbxAutoEmailListBoxClick},
        {lbxArticles, &TfrmMain::lbxArticlesListBoxClick},
        {lbxPopups, &TfrmMain::lbxPopupsListBoxClick},
    };
    for (const auto& [list, handler] : selections) {
        connect(list, &QListWidget::itemSelectionChanged, this, reporting(handler));
        // A click on the row already selected changes no selection but shows the item again.
        OnClickOnSelectedRow(list, reporting(handler));
    }

    connect(ntbMain, &QStackedWidget::currentChanged, this,
            reporting(&TfrmMain::ntbMainPageChanged));
    connect(edtTitlePage, &QLineEdit::textChanged, this, reporting(&TfrmMain::edtTitlePageChange));
    connect(edtAffiliateURL, &QLineEdit::textChanged, this,
            reporting(&TfrmMain::edtAffiliateURLChange));
    connect(edtClickbankID, &QLineEdit::textChanged, this,
            reporting(&TfrmMain::edtClickbankIDChange));
    connect(edtFilename, &QLineEdit::textChanged, this, reporting(&TfrmMain::edtFilenameChange));
    connect(cbxTemplates, &QComboBox::currentTextChanged, this,
            reporting(&TfrmMain::cbxTemplatesChange));
    connect(Timer1, &QTimer::timeout, this, reporting(&TfrmMain::Timer1Timer));

    OnClick(lblLink1URL, [this] { RunReportingErrors([this] { OpenLinkLabel(lblLink1URL); }); });
    OnClick(lblLink2URL, [this] { RunReportingErrors([this] { OpenLinkLabel(lblLink2URL); }); });
    OnClick(imgBanner, reporting(&TfrmMain::imgBannerClick));
    OnClick(gifBanner, reporting(&TfrmMain::gifBannerClick));
}

TfrmMain::~TfrmMain() {
    // Controls go first, while the model they report changes to still exists.
    qDeleteAll(findChildren<QObject*>(Qt::FindDirectChildrenOnly));
    FormDestroy();
}

int TfrmMain::MessageDialog(const QString& text, MessageKind kind, MessageButtons buttons) {
    return services_.messages->MessageDialog(text, kind, buttons, 0);
}

void TfrmMain::RunReportingErrors(const std::function<void()>& handler) {
    try {
        handler();
    } catch (const std::exception& error) {
        MessageDialog(FromModel(error.what()), MessageKind::Error, MessageButtons::Ok);
    }
}

UserDataFolders TfrmMain::Folders() const {
    return UserDataFoldersOf(AppDir);
}

void TfrmMain::FormCreate() {
    Manager = std::make_unique<TAffManager>();
    gifBanner->setGeometry(imgBanner->geometry());
    // A step that fails is reported, and the steps after it still run.
    RunReportingErrors([this] { LoadBranding(); });
    RunReportingErrors([this] { LoadTemplates(); });
    ntbMain->setCurrentIndex(0);
    ntbMainPageChanged();
    Timer1->start();
}

void TfrmMain::FormDestroy() {
    EndRecovery();
    Manager.reset();
}

void TfrmMain::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    FormShow();
}

void TfrmMain::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    FormResize();
}

void TfrmMain::closeEvent(QCloseEvent* event) {
    // An ending desktop session keeps the recovery copy instead of asking.
    if (!closeSettled_ && !keepRecovery_) {
        bool settled = false;
        RunReportingErrors([&] { settled = SettleUnsavedChanges("before closing"); });
        if (!settled) {
            event->ignore();
            return;
        }
    }
    // A download waiting for the network must not keep the program alive after its window.
    if (IdHTTP1->Busy())
        downloadCancelled_ = true;
    QWidget::closeEvent(event);
}

void TfrmMain::FormShow() {
    CenterBannerPictures();
}

void TfrmMain::FormResize() {
    CenterBannerPictures();
}

void TfrmMain::CenterBannerPictures() {
    // Each half is truncated on its own, as the layout of the band has always done.
    imgBanner->move(panBanner->width() / 2 - imgBanner->width() / 2,
                    panBanner->height() / 2 - imgBanner->height() / 2);
    gifBanner->move(panBanner->width() / 2 - gifBanner->width() / 2,
                    panBanner->height() / 2 - gifBanner->height() / 2);
}

void TfrmMain::Timer1Timer() {
    Timer1->stop();
    CheckForUpdates(true);
}

void TfrmMain::btnNextClick() {
    if (ntbMain->currentIndex() != 0) {
        ShowPage(ntbMain->currentIndex() + 1);
        return;
    }
    if (IsBlank(ToModel(edtTitlePage->text()))) {
        MessageDialog("Please provide a valid title for your page.", MessageKind::Warning,
                      MessageButtons::Ok);
        return;
    }
    if (IsBlank(ToModel(edtAffiliateURL->text()))) {
        MessageDialog("Please provide a valid affiliate URL.", MessageKind::Warning,
                      MessageButtons::Ok);
        return;
    }
    if (const std::string refusal = AffiliateURLRefusal(ToModel(edtAffiliateURL->text()));
        !refusal.empty()) {
        MessageDialog(FromModel(refusal), MessageKind::Warning, MessageButtons::Ok);
        return;
    }
    ShowPage(1);
}

void TfrmMain::btnBackClick() {
    if (ntbMain->currentIndex() != 0)
        ShowPage(ntbMain->currentIndex() - 1);
}

void TfrmMain::ShowPage(int index) {
    if (index == ntbMain->currentIndex() || index < 0 || index >= ntbMain->count())
        return;
    QWidget* focused = QApplication::focusWidget();
    const bool focusInPages = focused && ntbMain->isAncestorOf(focused);
    ntbMain->setCurrentIndex(index);
    if (!focusInPages)
        return;
    QWidget* page = ntbMain->currentWidget();
    for (QWidget* next = page->nextInFocusChain(); next && next != page;
         next = next->nextInFocusChain()) {
        if (page->isAncestorOf(next) && (next->focusPolicy() & Qt::TabFocus) && next->isEnabled() &&
            next->isVisibleTo(page)) {
            next->setFocus(Qt::TabFocusReason);
            break;
        }
    }
}

void TfrmMain::ntbMainPageChanged() {
    btnBack->setEnabled(ntbMain->currentIndex() != 0);
    btnNext->setEnabled(ntbMain->currentIndex() != LastPage);
}

void TfrmMain::edtTitlePageChange() {
    Manager->Title = ToModel(edtTitlePage->text());
    ProjectChanged();
}

void TfrmMain::edtAffiliateURLChange() {
    Manager->AffiliateURL = ToModel(edtAffiliateURL->text());
    ProjectChanged();
}

void TfrmMain::edtClickbankIDChange() {
    Manager->ClickBankId = ToModel(edtClickbankID->text());
    ProjectChanged();
}

void TfrmMain::edtFilenameChange() {
    Manager->OutputFileName = ToModel(edtFilename->text());
    ProjectChanged();
}

void TfrmMain::btnLoadClick() {
    LoadSettings();
}

void TfrmMain::btnSaveClick() {
    SaveSettings();
}

void TfrmMain::btnHelpClick() {
    services_.openInBrowser(HelpURL);
}

void TfrmMain::btnUpdateClick() {
    CheckForUpdates(false);
}

void TfrmMain::btnMakeMoneyClick() {
    services_.openInBrowser(MakeMoneyBaseURL + MakeMoneyID);
}

void TfrmMain::OpenLinkLabel(QLabel* label) {
    services_.shellOpen(ToModel(label->property("URL").toString()));
}
