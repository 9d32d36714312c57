#pragma once

#include <QApplication>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

// Reads the system's fonts on a thread of its own from before the application object exists:
// the first text the window measures would otherwise wait for the whole catalogue. A base of
// the application, so that it starts first.
class FontReader {
  protected:
    FontReader();
    ~FontReader();
    // The application exists: the reader goes on to the toolkit's own list of the fonts.
    void ApplicationStarted();
    // Before the application goes.
    void Finish();

  private:
    std::mutex mutex_;
    std::condition_variable started_;
    bool applicationStarted_ = false;
    std::thread thread_;
};

// The application object: an error that escapes a handler is reported and the loop goes on.
class VantorApplication : private FontReader, public QApplication {
  public:
    VantorApplication(int& argc, char** argv);
    ~VantorApplication() override;

    bool notify(QObject* receiver, QEvent* event) override;

    // Shows the text of an error that no handler caught.
    std::function<void(const QString&)> ReportError;
};
