#include "ui/editors/EditorSteps.h"

#include "ui/ClickFilters.h"
#include "ui/ListBoxRows.h"
#include "ui/TextBridge.h"

#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>

bool RefusedAsUnstorable(const UserMessages& messages, const std::string& refusal) {
    if (refusal.empty())
        return false;
    messages.MessageDialog(FromModel(refusal), MessageKind::Warning, MessageButtons::Ok);
    return true;
}

std::optional<int> RowToDelete(const UserMessages& messages, const QListWidget* list,
                               const QString& selectMessage) {
    if (list->count() == 0)
        return std::nullopt;
    const int row = SelectedRow(list);
    if (row < 0) {
        messages.MessageDialog(selectMessage, MessageKind::Warning, MessageButtons::Ok);
        return std::nullopt;
    }
    return row;
}

bool DeleteNumberedItem(const UserMessages& messages, QListWidget* list, StringList& items,
                        QPlainTextEdit* details, const QString& selectMessage) {
    const auto row = RowToDelete(messages, list, selectMessage);
    if (!row)
        return false;
    items.erase(items.begin() + *row);
    delete list->takeItem(*row);
    list->clearSelection();
    details->clear();
    return true;
}

void OnCreateAndDelete(QObject* editor, const UserMessages& messages, QPushButton* create,
                       std::function<void()> createClick, QPushButton* remove,
                       std::function<void()> deleteClick) {
    QObject::connect(create, &QPushButton::clicked, editor,
                     messages.Reporting(std::move(createClick)));
    QObject::connect(remove, &QPushButton::clicked, editor,
                     messages.Reporting(std::move(deleteClick)));
}

void OnRowChosen(QListWidget* list, std::function<void()> show) {
    QObject::connect(list, &QListWidget::itemSelectionChanged, list, show);
    // A click on the row already selected changes no selection but shows the item again.
    OnClickOnSelectedRow(list, std::move(show));
}
