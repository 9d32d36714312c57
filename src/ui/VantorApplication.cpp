#include "ui/VantorApplication.h"

#include "ui/TextBridge.h"

#include <cstdio>

VantorApplication::VantorApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool VantorApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& error) {
        const QString text = FromModel(error.what());
        if (ReportError)
            ReportError(text);
        else
            std::fprintf(stderr, "%s\n", error.what());
    }
    return true;
}
