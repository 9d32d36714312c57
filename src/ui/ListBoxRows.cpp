#include "ui/ListBoxRows.h"

#include "model/PromoItems.h"
#include "ui/TextBridge.h"

#include <QListWidget>

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
