#include "ui/TemplatePicker.h"

#include "generator/TemplateCatalogue.h"
#include "ui/TextBridge.h"
#include "ui/UserMessages.h"
#include "ui/project/ProjectController.h"
#include "util/policies/UserDataFolders.h"

#include <QComboBox>
#include <QLabel>
#include <QPixmap>
#include <QSignalBlocker>

TemplatePicker::TemplatePicker(QComboBox* list, QLabel* preview,
                               const std::filesystem::path& programFolder,
                               ProjectController& project, const UserMessages& messages)
    : cbxTemplates(list), Image1(preview), programFolder_(programFolder), project_(project) {
    connect(cbxTemplates, &QComboBox::currentTextChanged, this,
            messages.Reporting([this] { cbxTemplatesChange(); }));
}

void TemplatePicker::LoadTemplates() {
    {
        // Emptying the list is no choice of the user's: the model keeps its template name.
        QSignalBlocker quiet(cbxTemplates);
        cbxTemplates->clear();
    }
    for (const auto& name : ListTemplates(TemplateFoldersOf(UserDataFoldersOf(programFolder_))))
        cbxTemplates->addItem(FromModel(name));
    // Adding the first entry selects it, which runs cbxTemplatesChange once.
}

void TemplatePicker::ShowTemplate(const std::string& name) {
    std::vector<std::string> entries;
    for (int index = 0; index < cbxTemplates->count(); ++index)
        entries.push_back(ToModel(cbxTemplates->itemText(index)));
    const int found = FindTemplate(entries, name);
    if (found < 0)
        return;
    {
        QSignalBlocker quiet(cbxTemplates);
        cbxTemplates->setCurrentIndex(found);
        // Show the name as stored, which may differ from the entry in letter case.
        cbxTemplates->setItemText(found, FromModel(name));
    }
    ShowPreview();
}

void TemplatePicker::cbxTemplatesChange() {
    ShowPreview();
    project_.Model().TemplateName = ToModel(cbxTemplates->currentText());
    project_.Edited();
}

void TemplatePicker::ShowPreview() {
    Image1->setVisible(true);
    QPixmap preview;
    auto file = PreviewFile(TemplateFoldersOf(UserDataFoldersOf(programFolder_)),
                            ToModel(cbxTemplates->currentText()));
    // A picture that cannot be decoded is treated like a missing one.
    if (file && preview.load(FromPath(*file)))
        Image1->setPixmap(preview);
    else
        Image1->setVisible(false);
}
