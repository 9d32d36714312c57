#include "ui/Services.h"

#include "platform/Process.h"
#include "ui/Addresses.h"
#include "ui/TextBridge.h"
#include "ui/preview/PreviewServices.h"
#include "util/files/FileHelpers.h"
#include "util/policies/BrowserLauncher.h"
#include "util/policies/UserDataFolders.h"
#include "util/text/UUtils.h"

#include <QClipboard>
#include <QFileDialog>
#include <QGuiApplication>

namespace fs = std::filesystem;

WindowServices DefaultServices() {
    WindowServices services;
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
    services.shellOpen = [](const std::string& address) { platform::ShellOpen(address); };
    services.openInBrowser = [](const std::string& address) { OpenURLInBrowser(address); };
    services.draw = UniformDraw();
    services.programFolder = RunningProgramFolder();
    services.stateFolder = ProgramStateFolder();
    services.configFolder = ProgramConfigFolder();
    services.chooseProjectFile = [](QWidget* parent, bool forSaving,
                                    const fs::path& startFolder) -> std::optional<fs::path> {
        QFileDialog dialog(parent, forSaving ? "Save Project As" : "Open Project",
                           FromPath(startFolder),
                           "Affiliate Vantor projects (*.vantor *.dat);;All files (*)");
        dialog.setAcceptMode(forSaving ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
        dialog.setFileMode(forSaving ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
        // A name typed without an extension is a .vantor file, its overwrite asked about.
        dialog.setDefaultSuffix("vantor");
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return std::nullopt;
        return ToPath(dialog.selectedFiles().front());
    };
    ProvidePreviews(services);
    services.updateBaseURL = UpdateBaseURL;
    services.startProgram = [](const fs::path& program, const std::vector<std::string>& arguments) {
        platform::StartProgram(PathText(program), arguments);
    };
    return services;
}
