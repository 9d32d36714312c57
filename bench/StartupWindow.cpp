// The wizard window as the program starts it, quitting once shown:
// vantor_startup_window [PROGRAM_FOLDER]  (a folder with Templates/ and, if wanted, a brand).

#include "ui/FMain.h"
#include "ui/Skin.h"
#include "ui/VantorApplication.h"

#include <QTimer>

int main(int argc, char** argv) {
    VantorApplication application(argc, argv);
    ApplyBuiltInSkin(application);
    WindowServices services = DefaultServices();
    if (argc > 1)
        services.programFolder = argv[1];
    TfrmMain window(std::move(services));
    window.show();
    QTimer::singleShot(0, &application, &QApplication::quit);
    return application.exec();
}
