#include "ui/FinishPage.h"

#include "generator/DeliveryError.h"
#include "generator/PageDelivery.h"
#include "generator/PageOutput.h"
#include "ui/TextBridge.h"
#include "ui/UserMessages.h"
#include "ui/project/ProjectController.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

FinishPage::FinishPage(const WizardControls& controls, const ProjectController& project,
                       const WindowServices& services, const UserMessages& messages)
    : c_(controls), project_(project), services_(services), messages_(messages) {
    connect(c_.btnFinish, &QPushButton::clicked, this,
            messages_.Reporting([this] { btnFinishClick(); }));
    connect(c_.btnPreview, &QPushButton::clicked, this,
            messages_.Reporting([this] { btnPreviewClick(); }));
}

void FinishPage::btnFinishClick() {
    if (c_.rbtSaveWeb->isChecked())
        ProduceOutput(true);
    if (c_.rbtClipboard->isChecked()) {
        // After a failure the clipboard keeps what the user had on it.
        if (auto page = ProduceOutput(false))
            services_.writeClipboard(FromModel(page->substr(0, page->find('\0'))));
    }
}

std::optional<std::string> FinishPage::ProduceOutput(bool save) {
    DeliveryRequest request;
    request.folders = UserDataFoldersOf(services_.programFolder);
    request.templateName = ToModel(c_.cbxTemplates->currentText());
    if (save)
        request.fileName = ToModel(c_.edtFilename->text());
    DeliveredPage delivered;
    try {
        if (request.fileName)
            CheckOutputFileName(*request.fileName);
        delivered = DeliverPage(request, project_.Model());
    } catch (const DeliveryError& refusal) {
        const bool nameRefused = refusal.reason() == DeliveryError::Reason::InvalidFileName ||
                                 refusal.reason() == DeliveryError::Reason::NameLeavesOutput;
        messages_.MessageDialog(FromModel(refusal.what()),
                                nameRefused ? MessageKind::Information : MessageKind::Error,
                                MessageButtons::Ok);
        return std::nullopt;
    }
    if (delivered.file)
        messages_.MessageDialog("You have successfully saved your file as:\n\r" +
                                    FromPath(*delivered.file),
                                MessageKind::Information, MessageButtons::Ok);
    else
        messages_.MessageDialog("You have successfully copied your code to the clipboard!",
                                MessageKind::Information, MessageButtons::Ok);
    return delivered.text;
}

void FinishPage::btnPreviewClick() {
    DeliveryRequest request;
    request.folders = UserDataFoldersOf(services_.programFolder);
    request.templateName = ToModel(c_.cbxTemplates->currentText());
    // Nothing is written, so the preview needs no Output/ folder.
    request.needsOutputFolder = false;
    try {
        const DeliveredPage delivered = DeliverPage(request, project_.Model());
        services_.showPreview(c_.btnPreview->window(), delivered.text,
                              OutputFolder(request.folders.data));
    } catch (const DeliveryError& refusal) {
        messages_.MessageDialog(FromModel(refusal.what()), MessageKind::Error, MessageButtons::Ok);
    }
}
