#include "ui/editors/TextListEditor.h"

#include "model/StorableText.h"
#include "ui/ListBoxRows.h"
#include "ui/TextBridge.h"
#include "util/text/UUtils.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

TextListEditor::TextListEditor(Controls controls, StringList& items, Texts texts,
                               EditorContext context)
    : controls_(controls), items_(items), texts_(std::move(texts)), context_(std::move(context)) {
    OnCreateAndDelete(
        this, context_.messages, controls_.create, [this] { CreateClick(); }, controls_.remove,
        [this] { DeleteClick(); });
}

void TextListEditor::ShowItems() {
    ::ShowItems(controls_.list, items_);
}

void TextListEditor::CreateClick() {
    const std::string text = ToModel(controls_.input->text());
    const UserMessages& messages = context_.messages;
    if (text.empty()) {
        messages.MessageDialog(texts_.empty, MessageKind::Warning, MessageButtons::Ok);
        return;
    }
    if (RefusedAsUnstorable(messages, TextLinkRefusal(text)))
        return;
    if (IndexOfIgnoringCase(items_, text) >= 0) {
        messages.MessageDialog(texts_.duplicate, MessageKind::Warning, MessageButtons::Ok);
        return;
    }
    items_.push_back(text);
    ShowItems();
    context_.edited();
    if (added)
        added(text);
}

void TextListEditor::DeleteClick() {
    if (auto row = RowToDelete(context_.messages, controls_.list, texts_.select)) {
        items_.erase(items_.begin() + *row);
        ShowItems();
        context_.edited();
    }
}
