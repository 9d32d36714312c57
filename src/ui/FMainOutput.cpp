#include "generator/PageOutput.h"
#include "generator/TemplateEngine.h"
#include "ui/FMain.h"
#include "ui/TextBridge.h"
#include "util/FileHelpers.h"
#include "util/UUtils.h"

#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>

void TfrmMain::btnFinishClick() {
    if (rbtSaveWeb->isChecked()) {
        if (IsBlank(ToModel(edtFilename->text()))) {
            MessageDialog("Please provide a valid output filename.", TMsgDlgType::mtInformation,
                          TMsgDlgButtons::mbOK);
            return;
        }
        ProduceOutput(true);
    }
    if (rbtClipboard->isChecked()) {
        // After a failure the clipboard keeps what the user had on it.
        if (auto page = ProduceOutput(false))
            services_.writeClipboard(FromModel(page->substr(0, page->find('\0'))));
    }
}

std::optional<std::string> TfrmMain::ProduceOutput(bool save) {
    if (!EnsureOutputFolder(AppDir)) {
        MessageDialog("Can't create the output folder! Check the output path you provided.",
                      TMsgDlgType::mtError, TMsgDlgButtons::mbOK);
        return std::nullopt;
    }
    const std::string page = GenerateCode();
    if (page.empty()) {
        MessageDialog("The selected template could not be found in the Templates folder.",
                      TMsgDlgType::mtError, TMsgDlgButtons::mbOK);
        return std::nullopt;
    }
    if (save) {
        const auto written = WritePage(AppDir, ToModel(edtFilename->text()), page);
        MessageDialog("You have successfully saved your file as:\n\r" +
                          FromModel(PathText(written)),
                      TMsgDlgType::mtInformation, TMsgDlgButtons::mbOK);
    } else {
        MessageDialog("You have successfully copy your code to clipboard!",
                      TMsgDlgType::mtInformation, TMsgDlgButtons::mbOK);
    }
    return page;
}

std::string TfrmMain::GenerateCode() {
    return GeneratePage(AppDir, ToModel(cbxTemplates->currentText()), *Manager);
}

void TfrmMain::btnPreviewClick() {
    const std::string page = GenerateCode();
    if (page.empty()) {
        MessageDialog("The selected template could not be found in the Templates folder.",
                      TMsgDlgType::mtError, TMsgDlgButtons::mbOK);
        return;
    }
    services_.showPreview(this, FromModel(page), OutputFolder(AppDir));
}
