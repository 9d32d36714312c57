#include "generator/TemplateCatalogue.h"
#include "persistence/SettingsFile.h"
#include "ui/FMain.h"
#include "ui/ListBoxRows.h"
#include "ui/PromoEditors.h"
#include "ui/TextBridge.h"
#include "util/FileHelpers.h"

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>

void TfrmMain::SaveSettings() {
    SaveSettingsFile(projectFile_.empty() ? SettingsPath(Folders().data) : projectFile_, *Manager);
    SetUnsavedChanges(false);
}

void TfrmMain::LoadSettings() {
    const fs::path file = SettingsPath(Folders().data);
    if (!FileExists(file)) {
        MessageDialog("There is no saved default project yet. \"Save Configuration\" saves the "
                      "project you are working on as the default project, and \"Load "
                      "Configuration\" then loads it back.",
                      MessageKind::Information, MessageButtons::Ok);
        return;
    }
    if (!SettleUnsavedChanges(projectFile_.empty() ? "before loading its saved copy"
                                                   : "before loading the default project"))
        return;
    if (auto stored = ReadSettingsFile(file)) {
        ShowProject(std::move(stored->project));
        ProjectIsNow({});
        WarnOfUnreadableParts(file, stored->unreadable);
    }
}

void TfrmMain::ShowProject(TAffManager project) {
    *Manager = std::move(project);
    const std::string templateName = Manager->TemplateName;
    const std::string outputFileName = Manager->OutputFileName;

    edtTitlePage->setText(FromModel(Manager->Title));
    edtAffiliateURL->setText(FromModel(Manager->AffiliateURL));
    edtClickbankID->setText(FromModel(Manager->ClickBankId));
    // Long values read best from their beginning.
    for (QLineEdit* edit : {edtTitlePage, edtAffiliateURL, edtClickbankID})
        edit->setCursorPosition(0);

    std::vector<std::string> entries;
    for (int index = 0; index < cbxTemplates->count(); ++index)
        entries.push_back(ToModel(cbxTemplates->itemText(index)));
    const int found = FindTemplate(entries, templateName);
    if (found >= 0) {
        cbxTemplates->setCurrentIndex(found);
        // Show the name as stored, which may differ from the entry in letter case.
        cbxTemplates->setItemText(found, FromModel(templateName));
    }
    Manager->TemplateName = templateName;

    RefreshListBoxes();
    edtFilename->setText(FromModel(outputFileName));
    Manager->OutputFileName = outputFileName;
    ProjectChanged();
}

void TfrmMain::RefreshListBoxes() {
    for (const TextListEditor& editor : {LinkEditor(), BannerEditor()})
        ShowItems(editor.list, *editor.items);
    ShowNumberedRows(lbxPPCAds, Manager->PPCAds, PPCRowLabel);
    for (const MemoEditor& editor :
         {SignatureEditor(), EmailEditor(), AutoEmailEditor(), ArticleEditor(), PopUpEditor()})
        ShowNumberedRows(editor.list, *editor.items, editor.rowLabel);
}
