// The floor for any window with text: the bare window of vantor_startup_bare with one label, in
// Qt's default font, reading the font catalogue on a thread first as the program does. It pays
// for the catalogue, one face and the glyphs of a line, which a window without text never loads.

#include "FirstFrame.h"
#include "platform/FontCatalog.h"

#include <QApplication>
#include <QLabel>
#include <QWidget>
#include <thread>

int main(int argc, char** argv) {
    std::thread catalogue(platform::LoadFontCatalog);
    QApplication application(argc, argv);
    catalogue.join();
    QWidget window;
    window.resize(732, 521);
    auto* label = new QLabel("Step 1: Enter the title of your page", &window);
    label->move(20, 20);
    QuitAfterFirstFrame quit(window);
    window.show();
    return application.exec();
}
