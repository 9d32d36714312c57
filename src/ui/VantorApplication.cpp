#include "ui/VantorApplication.h"

#include "platform/CrashHandler.h"
#include "ui/TextBridge.h"

#include <QFontDatabase>
#include <cstdio>

VantorApplication::VantorApplication(int& argc, char** argv)
    : QApplication(argc, argv), fonts_([] {
          const platform::ThreadCrashStack crashStack;
          QFontDatabase::families();
      }) {}

VantorApplication::~VantorApplication() {
    fonts_.join();
}

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
