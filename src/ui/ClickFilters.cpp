#include "ui/ClickFilters.h"

#include <QKeyEvent>
#include <QListWidget>
#include <QMouseEvent>

namespace {

// Runs an action on a left click or on Enter or Space.
class ClickFilter : public QObject {
  public:
    ClickFilter(QObject* parent, std::function<void()> action)
        : QObject(parent), action_(std::move(action)) {}

  protected:
    bool eventFilter(QObject* /*watched*/, QEvent* event) override {
        if (event->type() == QEvent::MouseButtonRelease &&
            static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton)
            action_();
        if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space) {
                action_();
                return true;
            }
        }
        return false;
    }

  private:
    std::function<void()> action_;
};

// Watches a list's presses for the one on the selected row, which changes no selection.
class SelectedRowClickFilter : public QObject {
  public:
    SelectedRowClickFilter(QListWidget* list, std::function<void()> handler)
        : QObject(list), list_(list), handler_(std::move(handler)) {}

  protected:
    bool eventFilter(QObject* /*watched*/, QEvent* event) override {
        if (event->type() != QEvent::MouseButtonPress)
            return false;
        const auto* press = static_cast<QMouseEvent*>(event);
        const QListWidgetItem* item = list_->itemAt(press->position().toPoint());
        if (press->button() == Qt::LeftButton && item && item->isSelected())
            handler_();
        return false;
    }

  private:
    QListWidget* list_;
    std::function<void()> handler_;
};

} // namespace

void OnClick(QWidget* control, std::function<void()> action) {
    control->installEventFilter(new ClickFilter(control, std::move(action)));
}

void OnClickOnSelectedRow(QListWidget* list, std::function<void()> handler) {
    list->viewport()->installEventFilter(new SelectedRowClickFilter(list, std::move(handler)));
}
