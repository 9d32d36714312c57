// The yardstick for start-up: a bare Qt window of the wizard's size that quits once shown.
// Compare with vantor_startup_window by timing both whole processes.

#include <QApplication>
#include <QTimer>
#include <QWidget>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QWidget window;
    window.resize(732, 521);
    window.show();
    QTimer::singleShot(0, &application, &QApplication::quit);
    return application.exec();
}
