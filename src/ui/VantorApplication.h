#pragma once

#include <QApplication>
#include <functional>

// The application object: an error that escapes a handler is reported and the loop goes on.
class VantorApplication : public QApplication {
  public:
    VantorApplication(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;

    // Shows the text of an error that no handler caught.
    std::function<void(const QString&)> ReportError;
};
