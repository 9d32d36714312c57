#include "ui/ListBoxRows.h"

#include "model/PromoItems.h"
#include "ui/TextBridge.h"

#include <QListWidget>
#include <QMouseEvent>

namespace {

// Watches a list's presses for the one on the selected row, which changes no selection.
class TSelectedRowClickFilter : public QObject {
  public:
    TSelectedRowClickFilter(QListWidget* list, std::function<void()> handler)
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

int SelectedRow(const QListWidget* list) {
    const auto selected = list->selectedItems();
    return selected.isEmpty() ? -1 : list->row(selected.first());
}

void ShowItems(QListWidget* list, const StringList& items) {
    list->clear();
    for (const auto& item : items)
        list->addItem(FromModel(item));
}

void ShowNumberedRows(QListWidget* list, const StringList& items, const QString& label) {
    list->clear();
    for (std::size_t number = 1; number <= items.size(); ++number)
        list->addItem(FromModel(RowLabel(ToModel(label), int(number))));
}

void AddNumberedRow(QListWidget* list, const QString& label) {
    list->addItem(FromModel(RowLabel(ToModel(label), list->count() + 1)));
}

void OnClickOnSelectedRow(QListWidget* list, std::function<void()> handler) {
    list->viewport()->installEventFilter(new TSelectedRowClickFilter(list, std::move(handler)));
}
