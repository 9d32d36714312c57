#pragma once

#include "support/TempFolder.h"
#include "ui/FMain.h"

#include <QComboBox>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QStringList>
#include <QTest>
#include <deque>
#include <memory>

// One message box as the window asked for it.
struct ShownBox {
    QString text;
    MessageKind kind;
    MessageButtons buttons;
};

// One page as the window asked the preview to show it.
struct ShownPreview {
    QWidget* owner;
    QString html;
    std::filesystem::path baseFolder;
};

// Records every box and answers OK, or what a test queued.
class RecordingPresenter : public MessagePresenter {
  public:
    int MessageDialog(const QString& text, MessageKind kind, MessageButtons buttons,
                      int helpContext) override;

    std::vector<ShownBox> boxes;
    std::deque<int> answers;
    // Runs the pending events before answering, as a real modal box's own event loop does.
    bool modal = false;
};

// The world outside one window: a temporary program folder and recording services.
class WindowWorld {
  public:
    WindowWorld();

    // A window over this world, as the program starts it.
    std::unique_ptr<TfrmMain> OpenWindow();

    // Writes a template file (and, when asked, a preview picture) into Templates/.
    void AddTemplate(const std::string& fileName, const std::string& text,
                     bool withPreview = false);

    TempFolder folder;
    std::shared_ptr<RecordingPresenter> messages = std::make_shared<RecordingPresenter>();
    QStringList clipboard;
    // Addresses handed to the shell's "open" and to the browser.
    QStringList opened;
    QStringList browsed;
    // Answers to the brand's random draws, in order; 0 when none is left.
    std::deque<int> draws;
    std::vector<ShownPreview> previews;
    std::deque<std::optional<QString>> pictures;
    QStringList pictureStartFolders;
    // The update folder the window's check asks; empty: a check that fails at once.
    std::string updateBaseURL;
    // Where the window keeps its recovery copy; empty: it keeps none.
    fs::path stateFolder;
    // Where the window keeps its recent projects.
    fs::path configFolder = folder.path() / "config";
    // The project file the program was started with.
    fs::path projectToOpen;
    // Answers to the project-file dialogs, in order; nothing when none is left (cancelled).
    std::deque<std::optional<fs::path>> projectFiles;
    // Every program the window started, with its arguments.
    std::vector<std::pair<fs::path, std::vector<std::string>>> started;
};

// Finds a control of the window by its name; fails the test when there is none.
template <typename Control> Control* Find(QWidget* window, const char* name) {
    auto* control = window->findChild<Control*>(QLatin1String(name));
    if (!control)
        qFatal("no control named %s", name);
    return control;
}

// Clicks a button as a user would, through the application's event delivery.
void Click(QWidget* window, const char* buttonName);

// Replaces an edit box's text as typing would.
void Type(QWidget* window, const char* editName, const QString& text);

// The window's title as the desktop shows it: "*" where unsaved changes are marked.
QString ShownTitle(QWidget* window);

// The texts of a list box's rows.
QStringList Rows(QWidget* window, const char* listName);

// A fresh window over a fresh world for every test function.
class WindowTestCase : public QObject {
    Q_OBJECT

  public:
    // An error that escaped a handler, shown as the application shows it.
    void ReportError(const QString& text);

  protected:
    // The settings file as "Save Configuration" writes it now.
    std::string SavedSettings();

    // Closes the window and opens a new one over the same world, as the next start would.
    void Restart();

    std::unique_ptr<WindowWorld> world;
    std::unique_ptr<TfrmMain> window;

  private slots:
    void init();
    void cleanup();

  private:
    // A brand changes the whole application's look; every test starts from the same one.
    QString styleSheet_;
    QIcon icon_;
};

// Runs the tests under the application object of the program, which reports escaped errors.
int RunUiTests(WindowTestCase& tests, int argc, char** argv);

#define EXPECT_LAST_BOX(world, expectedKind, expectedText)                                         \
    do {                                                                                           \
        QVERIFY(!(world).messages->boxes.empty());                                                 \
        QCOMPARE((world).messages->boxes.back().text, QString(expectedText));                      \
        QVERIFY((world).messages->boxes.back().kind == MessageKind::expectedKind);                 \
    } while (false)
