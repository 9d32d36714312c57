#include "Version.h"
#include "platform/Process.h"
#include "ui/CrashReporting.h"
#include "ui/FMain.h"
#include "ui/Skin.h"
#include "ui/TextBridge.h"
#include "ui/VantorApplication.h"
#include "util/policies/WindowCommandLine.h"

#include <iostream>

int main(int argc, char* argv[]) {
    // Read before the application starts, so that --help works without a display.
    const WindowCommandLine line =
        ReadWindowCommandLine(std::vector<std::string>(argv + 1, argv + argc));
    switch (line.action) {
    case WindowCommandLine::Action::PrintHelp:
        std::cout << WindowUsageText();
        return 0;
    case WindowCommandLine::Action::PrintVersion:
        std::cout << "affiliate-vantor " << AppVersionText << '\n';
        return 0;
    case WindowCommandLine::Action::Refuse:
        std::cerr << line.refusal << '\n' << WindowUsageText();
        return 2;
    case WindowCommandLine::Action::Run:
        break;
    }
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
    if (line.projectArgument >= 0)
        services.projectToOpen =
            ToPath(QCoreApplication::arguments().value(line.projectArgument + 1));
    auto messages = services.messages;
    application.ReportError = [messages](const QString& text) {
        messages->MessageDialog(text, MessageKind::Error, MessageButtons::Ok, 0);
    };
    TfrmMain window(std::move(services));
    window.show();
    return application.exec();
}
