#include "ui/project/ProjectMenu.h"

#include "persistence/ProjectFiles.h"
#include "ui/TextBridge.h"
#include "ui/UserMessages.h"
#include "ui/project/ProjectController.h"

#include <QApplication>
#include <QDropEvent>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QToolButton>
#include <QUrl>

namespace fs = std::filesystem;

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

ProjectMenu::ProjectMenu(QWidget* window, QPushButton* load, QPushButton* save,
                         ProjectController& project, const UserMessages& messages)
    : QObject(window), window_(window), project_(project), messages_(messages) {
    menu_ = new QMenu(window);
    menu_->setObjectName("mnuProject");
    menu_->setToolTipsVisible(true);
    connect(menu_, &QMenu::aboutToShow, this, [this] { FillProjectMenu(); });
    for (QPushButton* button : {load, save}) {
        auto* arrow = new QToolButton(button);
        arrow->setObjectName(button->objectName() + "Menu");
        arrow->setAccessibleName("Projects");
        // A triangle in the interface's face: one it lacks would cost the first frame a search.
        arrow->setText(QStringLiteral("\u25BC"));
        arrow->setPopupMode(QToolButton::InstantPopup);
        arrow->setMenu(menu_);
        arrow->setGeometry(button->width() - ArrowWidth, 0, ArrowWidth, button->height());
        arrow->setFocusPolicy(Qt::TabFocus);
        arrow->setCursor(Qt::PointingHandCursor);
        button->setProperty("split", true);
        QWidget::setTabOrder(button, arrow);
    }
    // A project dropped anywhere on the window, an edit box included, is opened.
    window->setAcceptDrops(true);
    qApp->installEventFilter(this);
}

void ProjectMenu::FillProjectMenu() {
    menu_->clear();
    menu_->addAction("Open Project...", this,
                     messages_.Reporting([this] { project_.OpenChosenProject(); }));
    menu_->addAction("Save Project As...", this,
                     messages_.Reporting([this] { project_.SaveProjectAs(); }));
    const auto recent = project_.RecentProjects();
    if (!recent.empty())
        menu_->addSeparator();
    for (const fs::path& file : recent) {
        QAction* entry = menu_->addAction(
            FromPath(file.filename()), this,
            messages_.Reporting([this, file] { project_.OpenRecentProject(file); }));
        entry->setToolTip(FromPath(file));
    }
}

bool ProjectMenu::eventFilter(QObject* watched, QEvent* event) {
    const auto type = event->type();
    if (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop)
        return false;
    auto* target = qobject_cast<QWidget*>(watched);
    auto* drag = static_cast<QDropEvent*>(event);
    const auto file = DraggedProject(drag->mimeData());
    if (!target || target->window() != window_ || !file)
        return false;
    drag->acceptProposedAction();
    if (type == QEvent::Drop)
        messages_.RunReportingErrors([this, file] { project_.OpenProject(*file); });
    return true;
}
