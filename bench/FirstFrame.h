#pragma once

#include <QApplication>
#include <QEvent>
#include <QWidget>
#include <QtGui/qguiapplication_platform.h>
#include <cstdlib>
#include <xcb/xcb.h>

// Ends the process once Window's first frame has reached the display, so that a start-up is timed
// to what the user first sees: neither the work a program leaves for after its first frame nor
// the tearing down of its windows counts.
class QuitAfterFirstFrame : public QObject {
  public:
    explicit QuitAfterFirstFrame(QWidget& window) { window.installEventFilter(this); }

  protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint && !seen_) {
            seen_ = true;
            // Posted before anything the paint itself posts, it runs once the frame is flushed.
            QMetaObject::invokeMethod(qApp, &EndOnceShown, Qt::QueuedConnection);
        }
        return false;
    }

  private:
    static void EndOnceShown() {
        // A round trip: the server has drawn every request sent before it, the frame included.
        if (auto* x11 = qApp->nativeInterface<QNativeInterface::QX11Application>()) {
            xcb_connection_t* connection = x11->connection();
            std::free(
                xcb_get_input_focus_reply(connection, xcb_get_input_focus(connection), nullptr));
        }
        std::_Exit(0);
    }

    bool seen_ = false;
};
