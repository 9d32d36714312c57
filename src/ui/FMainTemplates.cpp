#include "generator/TemplateCatalogue.h"
#include "ui/FMain.h"
#include "ui/TextBridge.h"

#include <QComboBox>
#include <QLabel>
#include <QPixmap>
#include <QSignalBlocker>

void TfrmMain::LoadTemplates() {
    {
        // Emptying the list is no choice of the user's: the model keeps its template name.
        QSignalBlocker quiet(cbxTemplates);
        cbxTemplates->clear();
    }
    for (const auto& name : ListTemplates(TemplateFoldersOf(Folders())))
        cbxTemplates->addItem(FromModel(name));
    // Adding the first entry selects it, which runs cbxTemplatesChange once.
}

void TfrmMain::cbxTemplatesChange() {
    Image1->setVisible(true);
    const std::string shown = ToModel(cbxTemplates->currentText());
    QPixmap preview;
    auto file = PreviewFile(TemplateFoldersOf(Folders()), shown);
    // A picture that cannot be decoded is treated like a missing one.
    if (file && preview.load(FromPath(*file)))
        Image1->setPixmap(preview);
    else
        Image1->setVisible(false);
    Manager->TemplateName = shown;
    ProjectChanged();
}
