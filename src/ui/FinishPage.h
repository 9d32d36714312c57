#pragma once

#include "ui/Services.h"
#include "ui/layout/WizardControls.h"

#include <QObject>
#include <optional>
#include <string>

class ProjectController;
class UserMessages;

// The Finish page: "Generate Code" saves the page into Output/ or puts it on the clipboard;
// "Preview" shows it as a browser would.
class FinishPage : public QObject {
  public:
    FinishPage(const WizardControls& controls, const ProjectController& project,
               const WindowServices& services, const UserMessages& messages);

  private:
    void btnFinishClick();
    std::optional<std::string> ProduceOutput(bool save);
    void btnPreviewClick();

    const WizardControls& c_;
    const ProjectController& project_;
    const WindowServices& services_;
    const UserMessages& messages_;
};
