#include "ui/editors/BannerEditor.h"

#include "model/PromoItems.h"
#include "ui/ListBoxRows.h"
#include "ui/TextBridge.h"
#include "ui/preview/BannerPreview.h"

#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

BannerEditor::BannerEditor(Controls controls, StringList& banners, EditorContext context,
                           const WindowServices& services)
    : controls_(controls), banners_(banners), context_(context), services_(services) {
    editor_ = std::make_unique<TextListEditor>(
        controls_.list, banners_,
        TextListEditor::Texts{"Please provide a valid Banner Ad Promo.",
                              "This Banner Ad Promo already exists.",
                              "Please select a Banner Ad Promo to delete."},
        context_);
    editor_->added = [this](const std::string& banner) { NoteLocalPicture(banner); };
    const UserMessages& messages = context_.messages;
    connect(controls_.browse, &QPushButton::clicked, this,
            messages.Reporting([this] { BrowseClick(); }));
    OnRowChosen(controls_.list.list, messages.Reporting([this] { ShowChosenBanner(); }));
}

void BannerEditor::NoteLocalPicture(const std::string& banner) {
    // Added all the same: the user may want the page on this computer only.
    if (IsPictureOnThisComputer(banner))
        context_.messages.MessageDialog(
            "The banner was added. Its picture is on this computer, so it shows here but will "
            "not show once the page is online: visitors cannot reach your computer.\nTo show it "
            "online, upload the picture to your web site and add its web address (such as "
            "https://www.mysite.com/banner.gif) instead.",
            MessageKind::Information, MessageButtons::Ok);
}

void BannerEditor::ShowChosenBanner() {
    const int row = SelectedRow(controls_.list.list);
    if (row >= 0 && row < int(banners_.size()))
        controls_.preview->Navigate(FromModel(BannerPreviewAddress(banners_[row])));
}

void BannerEditor::BrowseClick() {
    const QString startFolder =
        lastPictureFolder_.isEmpty() ? FromPath(services_.programFolder) : lastPictureFolder_;
    const auto chosen = services_.choosePicture(controls_.browse->window(), startFolder);
    if (!chosen)
        return;
    lastPictureFolder_ = QFileInfo(*chosen).absolutePath();
    controls_.list.input->setText(
        FromModel(FileUrlOfPicture(ToModel(QDir::toNativeSeparators(*chosen)))));
}
