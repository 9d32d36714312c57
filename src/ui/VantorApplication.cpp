#include "ui/VantorApplication.h"

#include "platform/CrashHandler.h"
#include "platform/FontCatalog.h"
#include "ui/TextBridge.h"

#include <QFontDatabase>
#include <cstdio>

FontReader::FontReader()
    : thread_([this] {
          const platform::ThreadCrashStack crashStack;
          platform::LoadFontCatalog();
          std::unique_lock lock(mutex_);
          started_.wait(lock, [this] { return applicationStarted_; });
          lock.unlock();
          if (qApp)
              QFontDatabase::families();
      }) {}

FontReader::~FontReader() {
    Finish();
}

void FontReader::ApplicationStarted() {
    const std::lock_guard lock(mutex_);
    applicationStarted_ = true;
    started_.notify_one();
}

void FontReader::Finish() {
    if (!thread_.joinable())
        return;
    // Also when the application never started: the thread then stops at once.
    ApplicationStarted();
    thread_.join();
}

VantorApplication::VantorApplication(int& argc, char** argv) : QApplication(argc, argv) {
    ApplicationStarted();
}

VantorApplication::~VantorApplication() {
    Finish();
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
