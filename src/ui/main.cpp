#include "platform/Process.h"
#include "ui/CrashReporting.h"
#include "ui/FMain.h"
#include "ui/Skin.h"
#include "ui/TextBridge.h"
#include "ui/VantorApplication.h"

int main(int argc, char* argv[]) {
    // A setup program asks the user to close this copy before it replaces its files.
    platform::AnnounceRunningCopy(VANTOR_RUNNING_COPY_NAME);
    VantorApplication application(argc, argv);
    VantorApplication::setApplicationName("Affiliate Vantor");
    // Ties the window to its menu entry, and so to the entry's icon.
    VantorApplication::setDesktopFileName("affiliate-vantor");
    ApplyBuiltInSkin(application);

    WindowServices services = DefaultServices();
    StartCrashReporting(services.stateFolder);
    // "affiliate-vantor FILE", as the desktop starts it for a project file.
    if (const QStringList arguments = QCoreApplication::arguments(); arguments.size() == 2)
        services.projectToOpen = ToPath(arguments[1]);
    auto messages = services.messages;
    application.ReportError = [messages](const QString& text) {
        messages->MessageDialog(text, MessageKind::Error, MessageButtons::Ok, 0);
    };
    TfrmMain window(std::move(services));
    window.show();
    return application.exec();
}
