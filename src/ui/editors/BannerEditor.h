#pragma once

#include "ui/Services.h"
#include "ui/editors/TextListEditor.h"

#include <memory>

class BannerPreview;

// The banner editor: a text-list editor whose address may come from the picture-file dialog,
// with the chosen banner shown in the preview.
class BannerEditor : public QObject {
  public:
    struct Controls {
        TextListEditor::Controls list;
        QPushButton* browse;
        BannerPreview* preview;
    };

    BannerEditor(Controls controls, StringList& banners, EditorContext context,
                 const WindowServices& services);

    void ShowItems() { editor_->ShowItems(); }

  private:
    void BrowseClick();
    void ShowChosenBanner();
    void NoteLocalPicture(const std::string& banner);

    Controls controls_;
    StringList& banners_;
    EditorContext context_;
    const WindowServices& services_;
    std::unique_ptr<TextListEditor> editor_;
    QString lastPictureFolder_;
};
