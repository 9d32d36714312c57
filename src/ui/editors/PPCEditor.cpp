#include "ui/editors/PPCEditor.h"

#include "model/PromoItems.h"
#include "model/StorableText.h"
#include "ui/ListBoxRows.h"
#include "ui/TextBridge.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>

namespace {

// The label of the editor's rows.
const QString PPCRowLabel = QStringLiteral("PPC Ad");

} // namespace

PPCEditor::PPCEditor(Controls controls, StringList& ads, EditorContext context)
    : controls_(controls), ads_(ads), context_(std::move(context)) {
    const UserMessages& messages = context_.messages;
    OnCreateAndDelete(
        this, messages, controls_.create, [this] { CreateClick(); }, controls_.remove,
        [this] { DeleteClick(); });
    OnRowChosen(controls_.list, messages.Reporting([this] { ShowChosenAd(); }));
}

void PPCEditor::ShowItems() {
    ShowNumberedRows(controls_.list, ads_, PPCRowLabel);
}

void PPCEditor::CreateClick() {
    const std::string title = ToModel(controls_.title->text());
    const std::string body = MemoText(controls_.body);
    const std::string link = ToModel(controls_.link->text());
    if (title.empty()) {
        context_.messages.MessageDialog("Please provide a valid PPC Ad Promo.",
                                        MessageKind::Warning, MessageButtons::Ok);
        return;
    }
    if (RefusedAsUnstorable(context_.messages, PPCAdRefusal(title, body, link)))
        return;
    ads_.push_back(MakePPCItem(title, body, link));
    AddNumberedRow(controls_.list, PPCRowLabel);
    context_.edited();
}

void PPCEditor::DeleteClick() {
    if (DeleteNumberedItem(context_.messages, controls_.list, ads_, controls_.details,
                           "Please select a PPC Ad Promo to delete."))
        context_.edited();
}

void PPCEditor::ShowChosenAd() {
    const int row = SelectedRow(controls_.list);
    if (row < 0 || row >= int(ads_.size()))
        return;
    const PPCFields fields = PPCItemFields(ads_[row]);
    controls_.details->clear();
    // One line each for title and link, an empty title too; the body brings its own lines.
    SetMemoText(controls_.details, fields.title + "\r\n" + fields.body + "\r\n" + fields.link);
}
