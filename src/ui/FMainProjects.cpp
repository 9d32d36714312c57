#include "persistence/ProjectFiles.h"
#include "persistence/SettingsFile.h"
#include "ui/FMain.h"
#include "ui/TextBridge.h"
#include "util/FileHelpers.h"

#include <QApplication>
#include <QDropEvent>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QToolButton>
#include <QUrl>
#include <cstdio>

// Project files: any file in the settings file's format is a project, settings.dat the default
// one. The arrows on "Load Configuration" and "Save Configuration" open the project menu.

namespace {

constexpr int ArrowWidth = 16;

// The one project file a drag carries, if it carries one.
std::optional<fs::path> DraggedProject(const QMimeData* mime) {
    if (!mime || !mime->hasUrls() || mime->urls().size() != 1 || !mime->urls()[0].isLocalFile())
        return std::nullopt;
    const fs::path file = ToPath(mime->urls()[0].toLocalFile());
    if (!HasProjectExtension(file))
        return std::nullopt;
    return file;
}

} // namespace

void TfrmMain::CreateProjectMenu() {
    mnuProject = new QMenu(this);
    mnuProject->setObjectName("mnuProject");
    mnuProject->setToolTipsVisible(true);
    connect(mnuProject, &QMenu::aboutToShow, this, [this] { FillProjectMenu(); });
    for (QPushButton* button : {btnLoad, btnSave}) {
        auto* arrow = new QToolButton(button);
        arrow->setObjectName(button->objectName() + "Menu");
        arrow->setAccessibleName("Projects");
        arrow->setText(QStringLiteral("\u25BE"));
        arrow->setPopupMode(QToolButton::InstantPopup);
        arrow->setMenu(mnuProject);
        arrow->setGeometry(button->width() - ArrowWidth, 0, ArrowWidth, button->height());
        arrow->setFocusPolicy(Qt::TabFocus);
        arrow->setCursor(Qt::PointingHandCursor);
        button->setProperty("split", true);
        setTabOrder(button, arrow);
    }
    // A project dropped anywhere on the window, an edit box included, is opened.
    setAcceptDrops(true);
    qApp->installEventFilter(this);
    brandTitle_ = windowTitle();
    ShowTitle();
}

void TfrmMain::FillProjectMenu() {
    mnuProject->clear();
    auto reporting = [this](auto handler) {
        return [this, handler] { RunReportingErrors(handler); };
    };
    mnuProject->addAction("Open Project...", this, reporting([this] { btnOpenProjectClick(); }));
    mnuProject->addAction("Save Project As...", this,
                          reporting([this] { btnSaveProjectAsClick(); }));
    const auto recent = services_.configFolder.empty()
                            ? std::vector<fs::path>()
                            : ReadRecentProjects(RecentProjectsFile(services_.configFolder));
    if (!recent.empty())
        mnuProject->addSeparator();
    for (const fs::path& file : recent) {
        QAction* entry = mnuProject->addAction(
            FromPath(file.filename()), this, reporting([this, file] { OpenRecentProject(file); }));
        entry->setToolTip(FromPath(file));
    }
}

void TfrmMain::btnOpenProjectClick() {
    if (auto chosen = services_.chooseProjectFile(this, false, ProjectFolder()))
        OpenProject(*chosen);
}

void TfrmMain::btnSaveProjectAsClick() {
    auto chosen = services_.chooseProjectFile(this, true, ProjectFolder());
    if (!chosen)
        return;
    const fs::path file = WithProjectExtension(*chosen);
    // The dialog asked about replacing the name as typed, not this one.
    if (file != *chosen && FileExists(file) &&
        MessageDialog("The project \"" + FromPath(file.filename()) +
                          "\" already exists. Do you want to replace it?",
                      MessageKind::Warning, MessageButtons::OkCancel) != MessageResult::Ok)
        return;
    SaveSettingsFile(file, *Manager);
    ProjectIsNow(file);
}

void TfrmMain::OpenRecentProject(const fs::path& file) {
    if (!FileExists(file)) {
        ForgetProject(file);
        MessageDialog("The project \"" + FromPath(file) +
                          "\" cannot be found any more. It was taken off the recent projects.",
                      MessageKind::Warning, MessageButtons::Ok);
        return;
    }
    OpenProject(file);
}

void TfrmMain::OpenProject(const fs::path& file) {
    if (!SettleUnsavedChanges("before opening \"" + FromPath(file.filename()) + "\""))
        return;
    const StoredProject stored = ReadProjectFile(file);
    ShowProject(stored.project);
    ProjectIsNow(fs::absolute(file));
    WarnOfUnreadableParts(file, stored.unreadable);
}

QString TfrmMain::ProjectName() const {
    return projectFile_.empty() ? QString("the default project")
                                : "\"" + FromPath(projectFile_.filename()) + "\"";
}

bool TfrmMain::SettleUnsavedChanges(const QString& before) {
    if (!unsavedChanges_)
        return true;
    switch (
        MessageDialog("Do you want to save the changes to " + ProjectName() + " " + before + "?",
                      MessageKind::Warning, MessageButtons::SaveDontSaveCancel)) {
    case MessageResult::Yes:
        // A save that fails throws, and what was to follow does not happen.
        SaveSettings();
        return true;
    case MessageResult::No:
        return true;
    default:
        return false;
    }
}

void TfrmMain::ProjectIsNow(const fs::path& file) {
    projectFile_ = file;
    SetUnsavedChanges(false);
    ShowTitle();
    NameRecoveredProject(file);
    if (file.empty() || services_.configFolder.empty())
        return;
    const fs::path list = RecentProjectsFile(services_.configFolder);
    try {
        WriteRecentProjects(list, WithRecentProject(ReadRecentProjects(list), file));
    } catch (const std::exception& error) {
        // The project itself is open and saved; only the menu will not list it.
        std::fprintf(stderr, "%s\n", error.what());
    }
}

void TfrmMain::SetUnsavedChanges(bool unsaved) {
    unsavedChanges_ = unsaved;
    setWindowModified(unsaved);
}

void TfrmMain::ShowTitle() {
    // "[*]" marks where the desktop shows unsaved changes; one in a file name is doubled to
    // stay text.
    QString title = brandTitle_;
    if (!projectFile_.empty())
        title += " - " + FromPath(projectFile_.filename()).replace("[*]", "[*][*]");
    setWindowTitle(title + "[*]");
}

void TfrmMain::WarnOfUnreadableParts(const fs::path& file,
                                     const std::vector<std::string>& unreadable) {
    if (unreadable.empty())
        return;
    QStringList parts;
    for (const std::string& part : unreadable)
        parts << FromModel(part);
    MessageDialog("The project file \"" + FromPath(file) +
                      "\" is damaged: it breaks off early, so these parts could not be read: " +
                      parts.join(", ") +
                      ".\nEverything else was loaded. Please check these parts before you save, "
                      "as saving replaces the file.",
                  MessageKind::Warning, MessageButtons::Ok);
}

void TfrmMain::ForgetProject(const fs::path& file) {
    if (services_.configFolder.empty())
        return;
    const fs::path list = RecentProjectsFile(services_.configFolder);
    WriteRecentProjects(list, WithoutProject(ReadRecentProjects(list), file));
}

fs::path TfrmMain::ProjectFolder() const {
    return projectFile_.empty() ? Folders().data : projectFile_.parent_path();
}

bool TfrmMain::eventFilter(QObject* watched, QEvent* event) {
    const auto type = event->type();
    if (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop)
        return QWidget::eventFilter(watched, event);
    auto* target = qobject_cast<QWidget*>(watched);
    const auto* drag = static_cast<QDropEvent*>(event);
    const auto file = DraggedProject(drag->mimeData());
    if (!target || target->window() != this || !file)
        return QWidget::eventFilter(watched, event);
    static_cast<QDropEvent*>(event)->acceptProposedAction();
    if (type == QEvent::Drop)
        RunReportingErrors([this, file] { OpenProject(*file); });
    return true;
}
