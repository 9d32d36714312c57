#include "ui/FMain.h"

#include "Version.h"
#include "model/AffiliateUrl.h"
#include "ui/Addresses.h"
#include "ui/BrandView.h"
#include "ui/ClickFilters.h"
#include "ui/FinishPage.h"
#include "ui/TemplatePicker.h"
#include "ui/TextBridge.h"
#include "ui/UpdateChecker.h"
#include "ui/editors/PromoEditors.h"
#include "ui/layout/WizardLayout.h"
#include "ui/project/ProjectController.h"
#include "ui/project/ProjectMenu.h"
#include "update/UpdateNotice.h"
#include "util/text/UUtils.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QSignalBlocker>
#include <QStackedWidget>
#include <QTimer>

namespace fs = std::filesystem;

namespace {

constexpr int LastPage = 10;

} // namespace

TfrmMain::TfrmMain(WindowServices services, QWidget* parent)
    : QWidget(parent), services_(std::move(services)), messages_(services_.messages) {
    setObjectName("frmMain");
    setWindowTitle("Affiliate Vantor");
    CreateFirstPageControls(this, c_);
    Timer1 = new QTimer(this);
    Timer1->setObjectName("Timer1");
    Timer1->setInterval(100);
    Timer1->setSingleShot(true);
    // Typing starts in the first box, not on the button bar that comes first in the tab order.
    c_.edtTitlePage->setFocus();
    resize(732, 521);
    setMinimumSize(732, 521);
    if (QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());

    project_ = new ProjectController(
        messages_,
        ProjectController::Places{services_.programFolder, services_.configFolder,
                                  services_.stateFolder},
        [this](bool forSaving, const fs::path& startFolder) {
            return services_.chooseProjectFile(this, forSaving, startFolder);
        },
        this);
    brand_ = std::make_unique<BrandView>(this, c_, services_);
    updates_ = new UpdateChecker(
        services_, messages_, *project_,
        [this] {
            closeSettled_ = true;
            close();
        },
        this);
    ConnectBrandHandlers();
    // A project opened from the menu or by a drop before the start-up ended is shown all the same.
    connect(project_, &ProjectController::ProjectReplaced, this, [this] { ShowProject(); });
    connect(project_, &ProjectController::StateChanged, this, [this] { ShowTitle(); });
    FormCreate();
    menu_ = new ProjectMenu(this, c_.btnLoad, c_.btnSave, *project_, messages_);
    brandTitle_ = windowTitle();
    ShowTitle();
}

TfrmMain::~TfrmMain() {
    // Controls go first, while the parts they report to still exist.
    qDeleteAll(findChildren<QObject*>(Qt::FindDirectChildrenOnly));
}

void TfrmMain::FormCreate() {
    c_.gifBanner->setGeometry(c_.imgBanner->geometry());
    // A step that fails is reported, and the steps after it still run.
    messages_.RunReportingErrors([this] { brand_->LoadBranding(); });
    c_.ntbMain->setCurrentIndex(0);
    ntbMainPageChanged();
}

void TfrmMain::FinishStartUp() {
    if (startedUp_)
        return;
    startedUp_ = true;
    CreateOtherPageControls(c_, services_.createWebView);
    templates_ = std::make_unique<TemplatePicker>(c_.cbxTemplates, c_.Image1,
                                                  services_.programFolder, *project_, messages_);
    editors_ = std::make_unique<PromoEditors>(
        c_, project_->Model(), EditorContext{messages_, [this] { project_->Edited(); }}, services_);
    finish_ = std::make_unique<FinishPage>(c_, *project_, services_, messages_);
    ConnectHandlers();
    messages_.RunReportingErrors([this] { templates_->LoadTemplates(); });
    Timer1->start();
    project_->StartCountingChanges();
    TellOfUpdate();
    // Asked one after the other: a modal question runs the events of the next, so the project
    // the program was given opens only once the recovery copy is settled.
    messages_.RunReportingErrors(
        [this] { project_->OfferRecovery(services_.projectToOpen, services_.shellOpen); });
    if (!services_.projectToOpen.empty())
        messages_.RunReportingErrors([this] { project_->OpenProject(services_.projectToOpen); });
}

void TfrmMain::TellOfUpdate() {
    if (services_.configFolder.empty())
        return;
    // A note of another version is a stale one: that update did not end in this program.
    if (TakeUpdatedVersion(services_.configFolder) == std::string(AppVersionText))
        messages_.MessageDialog(brand_->AppName() + " was updated to version " + AppVersionText +
                                    ".",
                                MessageKind::Information, MessageButtons::Ok);
}

void TfrmMain::ConnectBrandHandlers() {
    connect(c_.btnHelp, &QPushButton::clicked, this,
            messages_.Reporting([this] { services_.openInBrowser(HelpURL); }));
    connect(c_.btnMakeMoney, &QPushButton::clicked, this, messages_.Reporting([this] {
        services_.openInBrowser(MakeMoneyBaseURL + brand_->MakeMoneyID());
    }));
    for (QLabel* link : {c_.lblLink1URL, c_.lblLink2URL})
        OnClick(link, messages_.Reporting([this, link] { brand_->OpenLinkLabel(link); }));
    for (QLabel* banner : {c_.imgBanner, c_.gifBanner})
        OnClick(banner, messages_.Reporting([this] { brand_->imgBannerClick(); }));
}

void TfrmMain::ConnectHandlers() {
    auto reporting = [this](void (TfrmMain::*handler)()) {
        return messages_.Reporting([this, handler] { (this->*handler)(); });
    };
    const std::pair<QPushButton*, std::function<void()>> clicks[] = {
        {c_.btnLoad, [this] { project_->LoadSettings(); }},
        {c_.btnSave, [this] { project_->SaveSettings(); }},
        {c_.btnUpdate, [this] { updates_->CheckForUpdates(false); }},
        {c_.btnNext, [this] { btnNextClick(); }},
        {c_.btnBack, [this] { btnBackClick(); }},
    };
    for (const auto& [button, handler] : clicks)
        connect(button, &QPushButton::clicked, this, messages_.Reporting(handler));

    connect(c_.ntbMain, &QStackedWidget::currentChanged, this,
            reporting(&TfrmMain::ntbMainPageChanged));
    const std::pair<QLineEdit*, void (TfrmMain::*)()> edits[] = {
        {c_.edtTitlePage, &TfrmMain::edtTitlePageChange},
        {c_.edtAffiliateURL, &TfrmMain::edtAffiliateURLChange},
        {c_.edtClickbankID, &TfrmMain::edtClickbankIDChange},
        {c_.edtFilename, &TfrmMain::edtFilenameChange},
    };
    for (const auto& [edit, handler] : edits)
        connect(edit, &QLineEdit::textChanged, this, reporting(handler));
    connect(Timer1, &QTimer::timeout, this, reporting(&TfrmMain::Timer1Timer));
}

void TfrmMain::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    brand_->CenterBannerPictures();
    // Where no frame is drawn (a window that is never exposed), the start-up ends all the same.
    QTimer::singleShot(500, this, [this] { FinishStartUp(); });
}

void TfrmMain::paintEvent(QPaintEvent* event) {
    QWidget::paintEvent(event);
    // The first frame is on the screen: the rest of the start-up follows at once.
    if (!startedUp_)
        QMetaObject::invokeMethod(
            this, [this] { FinishStartUp(); }, Qt::QueuedConnection);
}

void TfrmMain::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    brand_->CenterBannerPictures();
}

void TfrmMain::closeEvent(QCloseEvent* event) {
    // An ending desktop session keeps the recovery copy instead of asking.
    if (!closeSettled_ && !project_->RecoveryKept()) {
        bool settled = false;
        messages_.RunReportingErrors(
            [&] { settled = project_->SettleUnsavedChanges("before closing"); });
        if (!settled) {
            event->ignore();
            return;
        }
    }
    // A download waiting for the network must not keep the program alive after its window.
    updates_->Cancel();
    QWidget::closeEvent(event);
}

void TfrmMain::Timer1Timer() {
    Timer1->stop();
    updates_->CheckForUpdates(true);
}

void TfrmMain::btnNextClick() {
    if (c_.ntbMain->currentIndex() != 0) {
        ShowPage(c_.ntbMain->currentIndex() + 1);
        return;
    }
    if (IsBlank(ToModel(c_.edtTitlePage->text()))) {
        messages_.MessageDialog("Please provide a valid title for your page.", MessageKind::Warning,
                                MessageButtons::Ok);
        return;
    }
    if (IsBlank(ToModel(c_.edtAffiliateURL->text()))) {
        messages_.MessageDialog("Please provide a valid affiliate URL.", MessageKind::Warning,
                                MessageButtons::Ok);
        return;
    }
    if (const std::string refusal = AffiliateURLRefusal(ToModel(c_.edtAffiliateURL->text()));
        !refusal.empty()) {
        messages_.MessageDialog(FromModel(refusal), MessageKind::Warning, MessageButtons::Ok);
        return;
    }
    ShowPage(1);
}

void TfrmMain::btnBackClick() {
    if (c_.ntbMain->currentIndex() != 0)
        ShowPage(c_.ntbMain->currentIndex() - 1);
}

void TfrmMain::ShowPage(int index) {
    QStackedWidget* pages = c_.ntbMain;
    if (index == pages->currentIndex() || index < 0 || index >= pages->count())
        return;
    QWidget* focused = QApplication::focusWidget();
    const bool focusInPages = focused && pages->isAncestorOf(focused);
    pages->setCurrentIndex(index);
    if (!focusInPages)
        return;
    QWidget* page = pages->currentWidget();
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
    c_.btnBack->setEnabled(c_.ntbMain->currentIndex() != 0);
    c_.btnNext->setEnabled(c_.ntbMain->currentIndex() != LastPage);
}

void TfrmMain::edtTitlePageChange() {
    project_->Model().Title = ToModel(c_.edtTitlePage->text());
    project_->Edited();
}

void TfrmMain::edtAffiliateURLChange() {
    project_->Model().AffiliateURL = ToModel(c_.edtAffiliateURL->text());
    project_->Edited();
}

void TfrmMain::edtClickbankIDChange() {
    project_->Model().ClickBankId = ToModel(c_.edtClickbankID->text());
    project_->Edited();
}

void TfrmMain::edtFilenameChange() {
    project_->Model().OutputFileName = ToModel(c_.edtFilename->text());
    project_->Edited();
}

void TfrmMain::ShowProject() {
    FinishStartUp();
    const TAffManager& project = project_->Model();
    const std::pair<QLineEdit*, const std::string&> boxes[] = {
        {c_.edtTitlePage, project.Title},
        {c_.edtAffiliateURL, project.AffiliateURL},
        {c_.edtClickbankID, project.ClickBankId},
        {c_.edtFilename, project.OutputFileName},
    };
    for (const auto& [box, text] : boxes) {
        const QSignalBlocker quiet(box);
        box->setText(FromModel(text));
    }
    // Long values read best from their beginning.
    for (QLineEdit* box : {c_.edtTitlePage, c_.edtAffiliateURL, c_.edtClickbankID})
        box->setCursorPosition(0);
    templates_->ShowTemplate(project.TemplateName);
    editors_->ShowItems();
}

void TfrmMain::ShowTitle() {
    // "[*]" marks where the desktop shows unsaved changes; one in a file name is doubled to
    // stay text.
    QString title = brandTitle_;
    if (!project_->File().empty())
        title += " - " + FromPath(project_->File().filename()).replace("[*]", "[*][*]");
    setWindowTitle(title + "[*]");
    setWindowModified(project_->HasUnsavedChanges());
}
