#include "model/PromoItems.h"
#include "model/StorableText.h"
#include "ui/FMain.h"
#include "ui/ListBoxRows.h"
#include "ui/PromoEditors.h"
#include "ui/TextBridge.h"
#include "ui/preview/BannerPreview.h"
#include "util/UUtils.h"

#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>

namespace {

void EraseAt(StringList& items, int index) {
    items.erase(items.begin() + index);
}

} // namespace

TextListEditor TfrmMain::LinkEditor() {
    return {edtAchorText,
            lbxLinkPromo,
            &Manager->Anchors,
            "Please provide a valid Text Link Promo.",
            "This Text Link Promo already exists.",
            "Please select a Text Link Promo to delete."};
}

TextListEditor TfrmMain::BannerEditor() {
    return {edtImageUrl,
            lbxBanners,
            &Manager->Banners,
            "Please provide a valid Banner Ad Promo.",
            "This Banner Ad Promo already exists.",
            "Please select a Banner Ad Promo to delete."};
}

MemoEditor TfrmMain::SignatureEditor() {
    return {memSignature,
            lbxSignatures,
            memSignatureDetails,
            &Manager->Signatures,
            "Signature Ad",
            "Please provide a valid Signature Ad Promo.",
            "Please select a Signature Ad Promo to delete."};
}

MemoEditor TfrmMain::EmailEditor() {
    return {memEmail,
            lbxEmails,
            memEmailDetails,
            &Manager->Emails,
            "Email Ad",
            "Please provide a valid Email Ad.",
            "Please select an Email Ad to delete."};
}

MemoEditor TfrmMain::AutoEmailEditor() {
    return {memAutoEmail,
            lbxAutoEmail,
            memAutoEmailDetails,
            &Manager->AutoEmails,
            "Autoresponder Ad",
            "Please provide a valid Autoresponder Ad.",
            "Please select an Autoresponder Ad to delete."};
}

MemoEditor TfrmMain::ArticleEditor() {
    return {memArticle,
            lbxArticles,
            memArticleDetails,
            &Manager->Articles,
            "Article",
            "Please provide a valid Article.",
            "Please select an Article to delete."};
}

MemoEditor TfrmMain::PopUpEditor() {
    return {memPopUp,
            lbxPopups,
            memPopUpDetails,
            &Manager->PopUps,
            "PopUp",
            "Please provide a valid PopUp.",
            "Please select a PopUp to delete."};
}

bool TfrmMain::CreateTextListPromo(const TextListEditor& editor) {
    const std::string text = ToModel(editor.input->text());
    if (text.empty()) {
        MessageDialog(editor.emptyMessage, MessageKind::Warning, MessageButtons::Ok);
        return false;
    }
    if (RefusedAsUnstorable(TextLinkRefusal(text)))
        return false;
    if (IndexOfIgnoringCase(*editor.items, text) >= 0) {
        MessageDialog(editor.duplicateMessage, MessageKind::Warning, MessageButtons::Ok);
        return false;
    }
    editor.items->push_back(text);
    ShowItems(editor.list, *editor.items);
    ProjectChanged();
    return true;
}

bool TfrmMain::RefusedAsUnstorable(const std::string& refusal) {
    if (refusal.empty())
        return false;
    MessageDialog(FromModel(refusal), MessageKind::Warning, MessageButtons::Ok);
    return true;
}

std::optional<int> TfrmMain::RowToDelete(const QListWidget* list, const QString& deleteMessage) {
    if (list->count() == 0)
        return std::nullopt;
    const int row = SelectedRow(list);
    if (row < 0) {
        MessageDialog(deleteMessage, MessageKind::Warning, MessageButtons::Ok);
        return std::nullopt;
    }
    return row;
}

void TfrmMain::DeleteTextListPromo(const TextListEditor& editor) {
    if (auto row = RowToDelete(editor.list, editor.deleteMessage)) {
        EraseAt(*editor.items, *row);
        ShowItems(editor.list, *editor.items);
        ProjectChanged();
    }
}

void TfrmMain::CreateMemoPromo(const MemoEditor& editor) {
    const std::string text = MemoText(editor.input);
    // The test is on the raw text: a memo of one line break makes an empty item.
    if (text.empty()) {
        MessageDialog(editor.emptyMessage, MessageKind::Warning, MessageButtons::Ok);
        return;
    }
    if (RefusedAsUnstorable(MemoPromoRefusal(text)))
        return;
    editor.items->push_back(MemoItem(text));
    AddNumberedRow(editor.list, editor.rowLabel);
    ProjectChanged();
}

void TfrmMain::DeleteMemoPromo(const MemoEditor& editor) {
    DeleteNumberedPromo(editor.list, *editor.items, editor.details, editor.deleteMessage);
}

void TfrmMain::DeleteNumberedPromo(QListWidget* list, StringList& items, QPlainTextEdit* details,
                                   const QString& deleteMessage) {
    auto row = RowToDelete(list, deleteMessage);
    if (!row)
        return;
    EraseAt(items, *row);
    // Rows keep their numbers: the labels are renumbered only when a project is loaded.
    delete list->takeItem(*row);
    list->clearSelection();
    details->clear();
    ProjectChanged();
}

void TfrmMain::ShowMemoPromo(const MemoEditor& editor) {
    const int row = SelectedRow(editor.list);
    if (row < 0 || row >= int(editor.items->size()))
        return;
    editor.details->clear();
    SetMemoText(editor.details, UnpackedItem((*editor.items)[row]));
}

void TfrmMain::btnCreateLinkPromoClick() {
    CreateTextListPromo(LinkEditor());
}

void TfrmMain::btnDeleteLinkPromoClick() {
    DeleteTextListPromo(LinkEditor());
}

void TfrmMain::btnCreateImageUrlClick() {
    // Added all the same: the user may want the page on this computer only.
    if (CreateTextListPromo(BannerEditor()) && IsPictureOnThisComputer(Manager->Banners.back()))
        MessageDialog("The banner was added. Its picture is on this computer, so it shows here "
                      "but will not show once the page is online: visitors cannot reach your "
                      "computer.\nTo show it online, upload the picture to your web site and add "
                      "its web address (such as https://www.mysite.com/banner.gif) instead.",
                      MessageKind::Information, MessageButtons::Ok);
}

void TfrmMain::btnDeleteImageUrlClick() {
    DeleteTextListPromo(BannerEditor());
}

void TfrmMain::lbxBannersListBoxClick() {
    const int row = SelectedRow(lbxBanners);
    if (row >= 0 && row < int(Manager->Banners.size()))
        EmbeddedWB1->Navigate(FromModel(BannerPreviewAddress(Manager->Banners[row])));
}

void TfrmMain::btnBrowseImageClick() {
    const QString startFolder =
        lastPictureFolder_.isEmpty() ? FromPath(AppDir) : lastPictureFolder_;
    const auto chosen = services_.choosePicture(this, startFolder);
    if (!chosen)
        return;
    lastPictureFolder_ = QFileInfo(*chosen).absolutePath();
    edtImageUrl->setText(FromModel(FileUrlOfPicture(ToModel(QDir::toNativeSeparators(*chosen)))));
}

void TfrmMain::btnCreatePromClick() {
    const std::string title = ToModel(edtPPCTitle->text());
    const std::string body = MemoText(memPPCBody);
    const std::string link = ToModel(edtPPCLink->text());
    if (title.empty()) {
        MessageDialog("Please provide a valid PPC Ad Promo.", MessageKind::Warning,
                      MessageButtons::Ok);
        return;
    }
    if (RefusedAsUnstorable(PPCAdRefusal(title, body, link)))
        return;
    Manager->PPCAds.push_back(MakePPCItem(title, body, link));
    AddNumberedRow(lbxPPCAds, PPCRowLabel);
    ProjectChanged();
}

void TfrmMain::btnDeletePromClick() {
    DeleteNumberedPromo(lbxPPCAds, Manager->PPCAds, memPPCDetails,
                        "Please select a PPC Ad Promo to delete.");
}

void TfrmMain::lbxPPCAdsListBoxClick() {
    const int row = SelectedRow(lbxPPCAds);
    if (row < 0 || row >= int(Manager->PPCAds.size()))
        return;
    const PPCFields fields = PPCItemFields(Manager->PPCAds[row]);
    memPPCDetails->clear();
    // One line each for title and link, an empty title too; the body brings its own lines.
    SetMemoText(memPPCDetails, fields.title + "\r\n" + fields.body + "\r\n" + fields.link);
}

void TfrmMain::btnAddSignatureClick() {
    CreateMemoPromo(SignatureEditor());
}

void TfrmMain::btnDeleteSignatureClick() {
    DeleteMemoPromo(SignatureEditor());
}

void TfrmMain::lbxSignaturesListBoxClick() {
    ShowMemoPromo(SignatureEditor());
}

void TfrmMain::btnCreateEmailClick() {
    CreateMemoPromo(EmailEditor());
}

void TfrmMain::btnDeleteEmailClick() {
    DeleteMemoPromo(EmailEditor());
}

void TfrmMain::lbxEmailsListBoxClick() {
    ShowMemoPromo(EmailEditor());
}

void TfrmMain::btnCreateAutoEmailClick() {
    CreateMemoPromo(AutoEmailEditor());
}

void TfrmMain::btnDeleteAutoEmailClick() {
    DeleteMemoPromo(AutoEmailEditor());
}

void TfrmMain::lbxAutoEmailListBoxClick() {
    ShowMemoPromo(AutoEmailEditor());
}

void TfrmMain::btnCreateArticleClick() {
    CreateMemoPromo(ArticleEditor());
}

void TfrmMain::btnDeleteArticleClick() {
    DeleteMemoPromo(ArticleEditor());
}

void TfrmMain::lbxArticlesListBoxClick() {
    ShowMemoPromo(ArticleEditor());
}

void TfrmMain::btnCreatePopUpClick() {
    CreateMemoPromo(PopUpEditor());
}

void TfrmMain::btnDeletePopUpClick() {
    DeleteMemoPromo(PopUpEditor());
}

void TfrmMain::lbxPopupsListBoxClick() {
    ShowMemoPromo(PopUpEditor());
}
