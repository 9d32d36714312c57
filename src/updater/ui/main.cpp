#include "platform/Locale.h"
#include "platform/Process.h"
#include "platform/TemporaryFolder.h"
#include "ui/Skin.h"
#include "ui/TextBridge.h"
#include "ui/VantorApplication.h"
#include "update/UpdateKey.h"
#include "updater/DownloadPage.h"
#include "updater/SystemInstall.h"
#include "updater/UpdaterCopy.h"
#include "updater/ui/UpdaterWindow.h"
#include "util/AppError.h"

namespace fs = std::filesystem;

namespace {

// Windows: the setup replaces the program folder, this updater's files included, so a copy
// elsewhere does the work. Throws AppError when it cannot start.
void RestartFromCopy(const UpdaterArguments& arguments, const fs::path& programFolder) {
    const fs::path temporary = platform::TemporaryFolder();
    RemoveLeftoverCopies(temporary);
    const fs::path copy = CopyUpdaterOut(platform::RunningProgramPath(), temporary);
    if (!platform::StartProgram(PathText(copy), CopyArguments(arguments, programFolder)))
        throw AppError("The updater's copy " + PathText(copy) + " could not be started.");
}

} // namespace

int main(int argc, char* argv[]) {
    VantorApplication application(argc, argv);
    VantorApplication::setApplicationName("Affiliate Vantor Update");
    VantorApplication::setDesktopFileName("affiliate-vantor");
    ApplyBuiltInSkin(application);
    UpdaterServices services = DefaultUpdaterServices();
    auto messages = services.messages;
    application.ReportError = [messages](const QString& text) {
        messages->MessageDialog(text, MessageKind::Error, MessageButtons::Ok, 0);
    };
    try {
        std::vector<std::string> texts;
        for (const QString& argument : QCoreApplication::arguments().mid(1))
            texts.push_back(ToModel(argument));
        UpdaterArguments arguments = ReadUpdaterArguments(texts, platform::UserDecimalSeparator());
        if (!arguments.programFolder.empty()) {
            // Every character of the folder's name, whatever the code page.
            arguments.programFolder = ToPath(QCoreApplication::arguments().value(5));
            // Out of the folder that the setup replaces: a current folder cannot be removed.
            std::error_code ignored;
            fs::current_path(platform::RunningProgramPath().parent_path(), ignored);
        }
        services.programFolder = arguments.programFolder.empty()
                                     ? platform::RunningProgramPath().parent_path()
                                     : arguments.programFolder;
        services.publicKey = UpdatePublicKey;
        services.downloadPageURL = DownloadPageURL;
        if (arguments.programFolder.empty() && UpdaterRunsFromCopy() &&
            ChooseUpdateRoute(services.programFolder, services.publicKey).install) {
            RestartFromCopy(arguments, services.programFolder);
            return 0;
        }
        UpdaterWindow window(std::move(arguments), std::move(services));
        window.show();
        return application.exec();
    } catch (const AppError& error) {
        messages->MessageDialog(FromModel(error.what()), MessageKind::Error, MessageButtons::Ok, 0);
        return 1;
    }
}
