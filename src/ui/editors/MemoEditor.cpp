#include "ui/editors/MemoEditor.h"

#include "model/PromoItems.h"
#include "model/StorableText.h"
#include "ui/ListBoxRows.h"
#include "ui/TextBridge.h"

#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>

MemoEditor::MemoEditor(const MemoPageControls& controls, StringList& items, Texts texts,
                       EditorContext context)
    : controls_(controls), items_(items), texts_(std::move(texts)), context_(std::move(context)) {
    const UserMessages& messages = context_.messages;
    OnCreateAndDelete(
        this, messages, controls_.create, [this] { CreateClick(); }, controls_.remove,
        [this] { DeleteClick(); });
    OnRowChosen(controls_.list, messages.Reporting([this] { ShowChosenItem(); }));
}

void MemoEditor::ShowItems() {
    ShowNumberedRows(controls_.list, items_, texts_.rowLabel);
}

void MemoEditor::CreateClick() {
    const std::string text = MemoText(controls_.input);
    // The test is on the raw text: a memo of one line break makes an empty item.
    if (text.empty()) {
        context_.messages.MessageDialog(texts_.empty, MessageKind::Warning, MessageButtons::Ok);
        return;
    }
    if (RefusedAsUnstorable(context_.messages, MemoPromoRefusal(text)))
        return;
    items_.push_back(MemoItem(text));
    AddNumberedRow(controls_.list, texts_.rowLabel);
    context_.edited();
}

void MemoEditor::DeleteClick() {
    if (DeleteNumberedItem(context_.messages, controls_.list, items_, controls_.details,
                           texts_.select))
        context_.edited();
}

void MemoEditor::ShowChosenItem() {
    const int row = SelectedRow(controls_.list);
    if (row < 0 || row >= int(items_.size()))
        return;
    controls_.details->clear();
    SetMemoText(controls_.details, UnpackedItem(items_[row]));
}
