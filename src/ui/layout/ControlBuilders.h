#pragma once

#include <QPoint>
#include <QRect>
#include <QString>

class QFrame;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QStackedWidget;
class QVBoxLayout;
class QWidget;

// The window's controls as its design draws them: named, placed and labelled.

// Gives a control its design name, by which tests and the skin find it.
template <typename Widget> Widget* Named(Widget* widget, const char* name) {
    widget->setObjectName(QLatin1String(name));
    return widget;
}

// A plain label sized to its text; Role picks its look in the skin.
QLabel* Label(QWidget* parent, const char* name, const QString& text, QPoint at,
              const char* role = "");

// Names a control after the label beside it, for screen readers; the label leads to it.
void LabelControl(QLabel* label, QWidget* control);

QLabel* StepLabel(QWidget* page, const char* name, const QString& text, QPoint at);
QPushButton* Button(QWidget* parent, const char* name, const QString& caption, QRect geometry);
QLineEdit* Edit(QWidget* parent, const char* name, QPoint at, int width);
QPlainTextEdit* Memo(QWidget* parent, const char* name, QRect geometry);
QListWidget* ListBox(QWidget* parent, const char* name, QRect geometry);

// Keeps a control's design distances to all four edges of its page as the page resizes.
void AnchorToAllEdges(QWidget* control);

// The page of Pages named Name, made as the next page when there is none yet.
QWidget* Page(QStackedWidget* pages, const char* name);
QFrame* Band(QWidget* window, QVBoxLayout* bands, const char* name, int height);
QLabel* LinkLabel(QWidget* parent, const char* name, const QString& caption, const QString& url);
