#pragma once

#include <QObject>

class ProjectController;
class QMenu;
class QPushButton;
class QWidget;
class UserMessages;

// The project menu under the arrows of "Load Configuration" and "Save Configuration" (open, save
// as, the recent projects), and a project file dropped anywhere on the window, which opens it.
class ProjectMenu : public QObject {
  public:
    ProjectMenu(QWidget* window, QPushButton* load, QPushButton* save, ProjectController& project,
                const UserMessages& messages);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void FillProjectMenu();

    QWidget* window_;
    ProjectController& project_;
    const UserMessages& messages_;
    QMenu* menu_;
};
