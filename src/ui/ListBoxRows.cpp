#include "ui/ListBoxRows.h"

#include "model/PromoItems.h"
#include "ui/TextBridge.h"

#include <QListWidget>
#include <QStyledItemDelegate>

namespace {

// A row that asks for no width of its own gets the width of the list.
class ListWidthRows : public QStyledItemDelegate {
  public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        return {0, QStyledItemDelegate::sizeHint(option, index).height()};
    }
};

} // namespace

int SelectedRow(const QListWidget* list) {
    const auto selected = list->selectedItems();
    return selected.isEmpty() ? -1 : list->row(selected.first());
}

void FitRowsToWidth(QListWidget* list) {
    list->setItemDelegate(new ListWidthRows(list));
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list->setTextElideMode(Qt::ElideMiddle);
}

void ShowItems(QListWidget* list, const StringList& items) {
    list->clear();
    for (const auto& item : items) {
        list->addItem(FromModel(item));
        list->item(list->count() - 1)->setToolTip(FromModel(item));
    }
}

void ShowNumberedRows(QListWidget* list, const StringList& items, const QString& label) {
    list->clear();
    for (std::size_t number = 1; number <= items.size(); ++number)
        list->addItem(FromModel(RowLabel(ToModel(label), int(number))));
}

void AddNumberedRow(QListWidget* list, const QString& label) {
    list->addItem(FromModel(RowLabel(ToModel(label), list->count() + 1)));
}
