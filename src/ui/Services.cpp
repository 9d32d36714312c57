#include "ui/Services.h"

#include "ui/PagePreviewModule.h"
#include "ui/TextBridge.h"
#include "util/FileHelpers.h"
#include "util/ProcessLauncher.h"

#include <QClipboard>
#include <QFileDialog>
#include <QGuiApplication>

TfrmMainServices DefaultServices() {
    TfrmMainServices services;
    services.writeClipboard = [](const QString& text) {
        QGuiApplication::clipboard()->setText(text);
    };
    services.choosePicture = [](QWidget* parent,
                                const QString& startFolder) -> std::optional<QString> {
        QString file = QFileDialog::getOpenFileName(
            parent, QStringLiteral("Open picture"), startFolder,
            QStringLiteral("All (*.bmp *.ico *.gif *.jpg *.emf *.wmf)"));
        if (file.isEmpty())
            return std::nullopt;
        return file;
    };
    services.shellOpen = [](const std::string& address) { ShellOpen(address); };
    services.showPreview = [](QWidget* owner, const QString& html,
                              const std::filesystem::path& baseFolder) {
        const auto module = RunningProgramFolder() / VANTOR_PAGE_PREVIEW_MODULE;
        ShowPagePreview(FromModel(PathText(module)), owner, html, baseFolder);
    };
    services.programFolder = RunningProgramFolder();
    return services;
}
