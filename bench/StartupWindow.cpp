// The wizard window as the program starts it, quitting once its first frame is drawn:
// vantor_startup_window [PROGRAM_FOLDER]  (a folder with Templates/ and, if wanted, a brand).

#include "FirstFrame.h"
#include "ui/FMain.h"
#include "ui/Skin.h"
#include "ui/VantorApplication.h"

int main(int argc, char** argv) {
    VantorApplication application(argc, argv);
    ApplyBuiltInSkin(application);
    WindowServices services = DefaultServices();
    if (argc > 1)
        services.programFolder = argv[1];
    TfrmMain window(std::move(services));
    QuitAfterFirstFrame quit(window);
    window.show();
    return application.exec();
}
