#pragma once

#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>

// Ends the application once Window has drawn its first frame, so that a start-up is timed to
// what the user first sees.
class QuitAfterFirstFrame : public QObject {
  public:
    explicit QuitAfterFirstFrame(QWidget& window) { window.installEventFilter(this); }

  protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint && !seen_) {
            seen_ = true;
            // Posted now, it runs once this paint is done.
            QTimer::singleShot(0, qApp, &QApplication::quit);
        }
        return false;
    }

  private:
    bool seen_ = false;
};
