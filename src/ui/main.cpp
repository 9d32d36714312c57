#include "ui/CrashReporting.h"
#include "ui/FMain.h"
#include "ui/Skin.h"
#include "ui/VantorApplication.h"

int main(int argc, char* argv[]) {
    TVantorApplication application(argc, argv);
    TVantorApplication::setApplicationName("Affiliate Vantor");
    // Ties the window to its menu entry, and so to the entry's icon.
    TVantorApplication::setDesktopFileName("affiliate-vantor");
    ApplyBuiltInSkin(application);

    TfrmMainServices services = DefaultServices();
    StartCrashReporting(services.stateFolder);
    auto messages = services.messages;
    application.ReportError = [messages](const QString& text) {
        messages->MessageDialog(text, TMsgDlgType::mtError, TMsgDlgButtons::mbOK, 0);
    };
    TfrmMain window(std::move(services));
    window.show();
    return application.exec();
}
