#pragma once

#include <QApplication>
#include <functional>
#include <thread>

// The application object: an error that escapes a handler is reported and the loop goes on.
class VantorApplication : public QApplication {
  public:
    VantorApplication(int& argc, char** argv);
    ~VantorApplication() override;

    bool notify(QObject* receiver, QEvent* event) override;

    // Shows the text of an error that no handler caught.
    std::function<void(const QString&)> ReportError;

  private:
    // Reads the system's fonts while the window is being built: the first text it measures
    // would otherwise wait for the whole list.
    std::thread fonts_;
};
