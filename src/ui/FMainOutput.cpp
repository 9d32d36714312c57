#include "generator/DeliveryError.h"
#include "generator/PageDelivery.h"
#include "generator/PageOutput.h"
#include "ui/FMain.h"
#include "ui/TextBridge.h"

#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>

void TfrmMain::btnFinishClick() {
    if (rbtSaveWeb->isChecked())
        ProduceOutput(true);
    if (rbtClipboard->isChecked()) {
        // After a failure the clipboard keeps what the user had on it.
        if (auto page = ProduceOutput(false))
            services_.writeClipboard(FromModel(page->substr(0, page->find('\0'))));
    }
}

std::optional<std::string> TfrmMain::ProduceOutput(bool save) {
    DeliveryRequest request;
    request.folders = Folders();
    request.templateName = ToModel(cbxTemplates->currentText());
    if (save)
        request.fileName = ToModel(edtFilename->text());
    DeliveredPage delivered;
    try {
        if (request.fileName)
            CheckOutputFileName(*request.fileName);
        delivered = DeliverPage(request, *Manager);
    } catch (const DeliveryError& refusal) {
        const bool nameRefused = refusal.reason() == DeliveryError::Reason::InvalidFileName ||
                                 refusal.reason() == DeliveryError::Reason::NameLeavesOutput;
        MessageDialog(FromModel(refusal.what()),
                      nameRefused ? MessageKind::Information : MessageKind::Error,
                      MessageButtons::Ok);
        return std::nullopt;
    }
    if (delivered.file)
        MessageDialog("You have successfully saved your file as:\n\r" + FromPath(*delivered.file),
                      MessageKind::Information, MessageButtons::Ok);
    else
        MessageDialog("You have successfully copied your code to the clipboard!",
                      MessageKind::Information, MessageButtons::Ok);
    return delivered.text;
}

void TfrmMain::btnPreviewClick() {
    DeliveryRequest request;
    request.folders = Folders();
    request.templateName = ToModel(cbxTemplates->currentText());
    // Nothing is written, so the preview needs no Output/ folder.
    request.needsOutputFolder = false;
    try {
        const DeliveredPage delivered = DeliverPage(request, *Manager);
        services_.showPreview(this, delivered.text, OutputFolder(request.folders.data));
    } catch (const DeliveryError& refusal) {
        MessageDialog(FromModel(refusal.what()), MessageKind::Error, MessageButtons::Ok);
    }
}
