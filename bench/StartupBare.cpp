// The yardstick for start-up: a bare Qt window of the wizard's size that quits once its first
// frame is drawn.
// Compare with vantor_startup_window by timing both whole processes.

#include "FirstFrame.h"

#include <QApplication>
#include <QWidget>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QWidget window;
    window.resize(732, 521);
    QuitAfterFirstFrame quit(window);
    window.show();
    return application.exec();
}
