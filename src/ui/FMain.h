#pragma once

#include "ui/Services.h"
#include "ui/UserMessages.h"
#include "ui/layout/WizardControls.h"

#include <QWidget>
#include <memory>

class BrandView;
class FinishPage;
class ProjectController;
class ProjectMenu;
class PromoEditors;
class QTimer;
class TemplatePicker;
class UpdateChecker;

// The wizard window: eleven pages from the page title to "Generate Code". It composes the parts
// that do the work (the project, the editors, the template page, the Finish page, the brand, the
// update check), runs the start-up sequence and the navigation, and shows the project.
class TfrmMain : public QWidget {
  public:
    explicit TfrmMain(WindowServices services = DefaultServices(), QWidget* parent = nullptr);
    ~TfrmMain() override;

    // True once the start-up sequence has run: every control and part exists.
    bool StartedUp() const { return startedUp_; }

  protected:
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    // The start-up sequence in two halves: what the first frame shows, then the rest.
    void FormCreate();
    void FinishStartUp();
    void ConnectBrandHandlers();
    // Says so when the last update installed this version.
    void TellOfUpdate();
    void ConnectHandlers();
    void Timer1Timer();

    // Navigation and the page-0 boxes.
    void btnNextClick();
    void btnBackClick();
    void ShowPage(int index);
    void ntbMainPageChanged();
    void edtTitlePageChange();
    void edtAffiliateURLChange();
    void edtClickbankIDChange();
    void edtFilenameChange();

    // Shows the project as the model holds it, every control at once, without taking the
    // controls' changes back into the model.
    void ShowProject();
    void ShowTitle();

    WindowServices services_;
    UserMessages messages_;
    WizardControls c_;
    QTimer* Timer1;
    QString brandTitle_;
    // The changes were settled for a close that follows at once (the update's hand-over).
    bool closeSettled_ = false;
    bool startedUp_ = false;

    // Children of the window, so that tests find their timers and state among the window's.
    ProjectController* project_;
    UpdateChecker* updates_;
    std::unique_ptr<BrandView> brand_;
    std::unique_ptr<TemplatePicker> templates_;
    std::unique_ptr<PromoEditors> editors_;
    std::unique_ptr<FinishPage> finish_;
    ProjectMenu* menu_ = nullptr;
};
