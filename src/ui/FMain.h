#pragma once

#include "model/UAffiliate.h"
#include "ui/Services.h"
#include "update/MessagePump.h"
#include "util/UserDataFolders.h"

#include <QWidget>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>

// The program's version, shown in the title of a branded window.
inline constexpr const char* AppVersionText = "1.01";

struct BrandingChoice;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QStackedWidget;
class QTimer;
class QVBoxLayout;
class RecoveryCopy;
class BannerPreview;
class HttpClient;
struct MemoEditor;
struct TextListEditor;

// The wizard window: eleven pages from the page title to "Generate Code".
class TfrmMain : public QWidget {
  public:
    explicit TfrmMain(WindowServices services = DefaultServices(), QWidget* parent = nullptr);
    ~TfrmMain() override;

    // Shows a message box through the window's presenter.
    int MessageDialog(const QString& text, MessageKind kind, MessageButtons buttons);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    // Runs a handler to its end; an error it raises is shown in an error box.
    void RunReportingErrors(const std::function<void()>& handler);

    // Where this copy finds its files and keeps the user's: asked afresh for every use.
    UserDataFolders Folders() const;

    // Start-up and shut-down.
    void FormCreate();
    void FormDestroy();
    void FormShow();
    void FormResize();
    void LoadBranding();
    void ShowBanner(const BrandingChoice& choice);
    void CenterBannerPictures();
    void Timer1Timer();

    // The controls at their design positions, band by band and page by page, and their handlers.
    void CreateControls();
    void CreateButtonBar(QVBoxLayout* bands);
    void CreateBannerBand(QVBoxLayout* bands);
    void CreateWelcomePage();
    void CreateTemplatePage();
    void CreateLinkPromoPage();
    void CreatePPCPromoPage();
    void CreateBannerPromoPage();
    void CreateMemoPages();
    void CreateFinishPage();
    void CreateWizardBand(QVBoxLayout* bands);
    void CreateLinksBand(QVBoxLayout* bands);
    void ConnectHandlers();

    // Updates.
    bool DownloadFile(const std::string& URL, const std::string& FileName,
                      std::string* failure = nullptr);
    void CheckForUpdates(bool Silent);

    // Navigation and the page-0 boxes.
    void btnNextClick();
    void btnBackClick();
    void ntbMainPageChanged();
    void ShowPage(int index);
    void edtTitlePageChange();
    void edtAffiliateURLChange();
    void edtClickbankIDChange();
    void edtFilenameChange();

    // Top button bar and links.
    void btnLoadClick();
    void btnSaveClick();
    void btnHelpClick();
    void btnUpdateClick();
    void btnMakeMoneyClick();
    void imgBannerClick();
    void gifBannerClick();
    void OpenLinkLabel(QLabel* label);

    // Template page.
    void LoadTemplates();
    void cbxTemplatesChange();

    // Promo editors.
    void btnCreateLinkPromoClick();
    void btnDeleteLinkPromoClick();
    void btnCreatePromClick();
    void btnDeletePromClick();
    void lbxPPCAdsListBoxClick();
    void btnCreateImageUrlClick();
    void btnDeleteImageUrlClick();
    void lbxBannersListBoxClick();
    void btnBrowseImageClick();
    void btnAddSignatureClick();
    void btnDeleteSignatureClick();
    void lbxSignaturesListBoxClick();
    void btnCreateEmailClick();
    void btnDeleteEmailClick();
    void lbxEmailsListBoxClick();
    void btnCreateAutoEmailClick();
    void btnDeleteAutoEmailClick();
    void lbxAutoEmailListBoxClick();
    void btnCreateArticleClick();
    void btnDeleteArticleClick();
    void lbxArticlesListBoxClick();
    void btnCreatePopUpClick();
    void btnDeletePopUpClick();
    void lbxPopupsListBoxClick();
    // True when the item was added.
    bool CreateTextListPromo(const TextListEditor& editor);
    void DeleteTextListPromo(const TextListEditor& editor);
    void CreateMemoPromo(const MemoEditor& editor);
    void DeleteMemoPromo(const MemoEditor& editor);
    // Shows Refusal, a text the project file could not keep, unless it is empty.
    bool RefusedAsUnstorable(const std::string& refusal);
    std::optional<int> RowToDelete(const QListWidget* list, const QString& deleteMessage);
    void DeleteNumberedPromo(QListWidget* list, StringList& items, QPlainTextEdit* details,
                             const QString& deleteMessage);
    void ShowMemoPromo(const MemoEditor& editor);
    TextListEditor LinkEditor();
    TextListEditor BannerEditor();
    MemoEditor SignatureEditor();
    MemoEditor EmailEditor();
    MemoEditor AutoEmailEditor();
    MemoEditor ArticleEditor();
    MemoEditor PopUpEditor();

    // Generate Code.
    void btnFinishClick();
    std::optional<std::string> ProduceOutput(bool save);
    void btnPreviewClick();

    // Settings file.
    void SaveSettings();
    void LoadSettings();
    void ShowProject(TAffManager project);
    void RefreshListBoxes();

    // Project files.
    void CreateProjectMenu();
    void FillProjectMenu();
    void btnOpenProjectClick();
    void btnSaveProjectAsClick();
    void OpenRecentProject(const std::filesystem::path& file);
    void OpenProject(const std::filesystem::path& file);
    // Asks whether to save the changes first, when there are any, saying what comes next
    // ("before closing"). False when the user cancels; a save that fails throws.
    bool SettleUnsavedChanges(const QString& before);
    // The open project as the questions name it: its file's name, or "the default project".
    QString ProjectName() const;
    // The window now holds the project of File; empty: the default project.
    void ProjectIsNow(const std::filesystem::path& file);
    void SetUnsavedChanges(bool unsaved);
    void ShowTitle();
    // Names the parts of a damaged project file that could not be read, if any.
    void WarnOfUnreadableParts(const std::filesystem::path& file,
                               const std::vector<std::string>& unreadable);
    void ForgetProject(const std::filesystem::path& file);
    std::filesystem::path ProjectFolder() const;

    // Recovery copy.
    void OpenRecovery();
    QString RecoveryQuestion(const std::filesystem::path& projectFile,
                             std::filesystem::file_time_type lastChanged,
                             const std::optional<std::filesystem::path>& crashReport) const;
    // Keeps the name of the project's file with the recovery copy; empty: the default project.
    void NameRecoveredProject(const std::filesystem::path& file);
    void ProjectChanged();
    void WriteRecoveryCopy();
    void TellRecoveryFailure(const std::string& error);
    void KeepRecoveryCopy();
    void EndRecovery();
    void OfferRecovery();

    WindowServices services_;
    std::unique_ptr<TAffManager> Manager;
    // The program's folder, as the services name it: every file of the window is found from it.
    std::filesystem::path AppDir;
    QString lastPictureFolder_;

    // The brand, as LoadBranding found it.
    std::string MakeMoneyID;
    std::string BannerClickURL;
    std::string BannerImagePath;
    std::string FooterURL1;
    std::string FooterName1;
    std::string FooterURL2;
    std::string FooterName2;
    std::string IconPath;

    // Bands.
    QFrame* bsSkinPanel1;
    QFrame* panBanner;
    QStackedWidget* ntbMain;
    QFrame* panWizard;
    QFrame* panLinks;
    QLabel* imgBanner;
    QLabel* gifBanner;
    QPushButton* btnLoad;
    QPushButton* btnSave;
    QPushButton* btnHelp;
    QPushButton* btnUpdate;
    QPushButton* btnMakeMoney;
    QPushButton* btnBack;
    QPushButton* btnNext;
    QLabel* lblLink1URL;
    QLabel* lblLink2URL;
    QLabel* lblBannerTitle;
    QTimer* Timer1;
    std::unique_ptr<HttpClient> IdHTTP1;
    // Keeps the window working while IdHTTP1 waits for the network.
    MessagePump IdAntiFreeze1;
    bool downloadCancelled_ = false;

    // The project's file, empty for the default project, and whether it has changed since it
    // was opened or saved. Changes count from the end of start-up: listing the templates is none.
    std::filesystem::path projectFile_;
    bool unsavedChanges_ = false;
    bool startedUp_ = false;
    // The changes were settled for a close that follows at once (the update's hand-over).
    bool closeSettled_ = false;
    QString brandTitle_;
    QMenu* mnuProject = nullptr;

    // The recovery copy of the project, written a moment after each change.
    std::unique_ptr<RecoveryCopy> recovery_;
    QTimer* recoveryTimer_ = nullptr;
    bool keepRecovery_ = false;
    bool recoveryErrorShown_ = false;
    // Why no recovery copy could be started, told at the first change.
    std::string recoveryUnavailable_;

    // Pages 0 and 1.
    QLineEdit* edtTitlePage;
    QLineEdit* edtAffiliateURL;
    QLineEdit* edtClickbankID;
    QComboBox* cbxTemplates;
    QGroupBox* bsSkinGroupBox1;
    QLabel* Image1;

    // Pages 2 to 9.
    QLineEdit* edtAchorText;
    QPushButton* btnCreateLinkPromo;
    QPushButton* btnDeleteLinkPromo;
    QListWidget* lbxLinkPromo;
    QLineEdit* edtPPCTitle;
    QPlainTextEdit* memPPCBody;
    QLineEdit* edtPPCLink;
    QPushButton* btnCreateProm;
    QPushButton* btnDeleteProm;
    QListWidget* lbxPPCAds;
    QPlainTextEdit* memPPCDetails;
    QLineEdit* edtImageUrl;
    QPushButton* btnBrowseImage;
    QPushButton* btnCreateImageUrl;
    QPushButton* btnDeleteImageUrl;
    QListWidget* lbxBanners;
    QGroupBox* bsSkinGroupBox2;
    BannerPreview* EmbeddedWB1;
    QPlainTextEdit* memSignature;
    QPushButton* btnAddSignature;
    QPushButton* btnDeleteSignature;
    QListWidget* lbxSignatures;
    QPlainTextEdit* memSignatureDetails;
    QPlainTextEdit* memEmail;
    QPushButton* btnCreateEmail;
    QPushButton* btnDeleteEmail;
    QListWidget* lbxEmails;
    QPlainTextEdit* memEmailDetails;
    QPlainTextEdit* memAutoEmail;
    QPushButton* btnCreateAutoEmail;
    QPushButton* btnDeleteAutoEmail;
    QListWidget* lbxAutoEmail;
    QPlainTextEdit* memAutoEmailDetails;
    QPlainTextEdit* memArticle;
    QPushButton* btnCreateArticle;
    QPushButton* btnDeleteArticle;
    QListWidget* lbxArticles;
    QPlainTextEdit* memArticleDetails;
    QPlainTextEdit* memPopUp;
    QPushButton* btnCreatePopUp;
    QPushButton* btnDeletePopUp;
    QListWidget* lbxPopups;
    QPlainTextEdit* memPopUpDetails;

    // Page 10.
    QRadioButton* rbtSaveWeb;
    QRadioButton* rbtClipboard;
    QLineEdit* edtFilename;
    QPushButton* btnFinish;
    QPushButton* btnPreview;
};
