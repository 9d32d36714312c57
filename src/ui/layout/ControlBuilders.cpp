#include "ui/layout/ControlBuilders.h"

#include <QBoxLayout>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <limits>

namespace {

// A page's size in the design, from which anchored controls take their distances to its edges.
constexpr QSize DesignPageSize(730, 344);

} // namespace

QLabel* Label(QWidget* parent, const char* name, const QString& text, QPoint at, const char* role) {
    auto* label = Named(new QLabel(text, parent), name);
    label->setTextFormat(Qt::PlainText);
    label->setProperty("role", role);
    label->adjustSize();
    label->move(at);
    return label;
}

void LabelControl(QLabel* label, QWidget* control) {
    label->setBuddy(control);
    control->setAccessibleName(label->text().trimmed());
}

QLabel* StepLabel(QWidget* page, const char* name, const QString& text, QPoint at) {
    return Label(page, name, text, at, "step");
}

QPushButton* Button(QWidget* parent, const char* name, const QString& caption, QRect geometry) {
    auto* button = Named(new QPushButton(caption, parent), name);
    button->setGeometry(geometry);
    // Tab reaches a button and Space or Enter presses it; a click leaves the focus where it was.
    button->setFocusPolicy(Qt::TabFocus);
    button->setAutoDefault(true);
    button->setCursor(Qt::PointingHandCursor);
    return button;
}

QLineEdit* Edit(QWidget* parent, const char* name, QPoint at, int width) {
    auto* edit = Named(new QLineEdit(parent), name);
    edit->setGeometry(QRect(at, QSize(width, 18)));
    // Qt's default limit would cut long pasted or loaded text.
    edit->setMaxLength(std::numeric_limits<int>::max());
    return edit;
}

QPlainTextEdit* Memo(QWidget* parent, const char* name, QRect geometry) {
    auto* memo = Named(new QPlainTextEdit(parent), name);
    memo->setGeometry(geometry);
    memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    memo->setTabChangesFocus(true);
    return memo;
}

QListWidget* ListBox(QWidget* parent, const char* name, QRect geometry) {
    auto* list = Named(new QListWidget(parent), name);
    list->setGeometry(geometry);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    return list;
}

void AnchorToAllEdges(QWidget* control) {
    const QRect design = control->geometry();
    auto* anchors = new QVBoxLayout(control->parentWidget());
    anchors->setContentsMargins(design.left(), design.top(),
                                DesignPageSize.width() - design.right() - 1,
                                DesignPageSize.height() - design.bottom() - 1);
    anchors->addWidget(control);
}

QWidget* Page(QStackedWidget* pages, const char* name) {
    if (auto* page = pages->findChild<QWidget*>(QLatin1String(name), Qt::FindDirectChildrenOnly))
        return page;
    auto* page = Named(new QWidget(pages), name);
    pages->addWidget(page);
    return page;
}

QFrame* Band(QWidget* window, QVBoxLayout* bands, const char* name, int height) {
    auto* band = Named(new QFrame(window), name);
    band->setFixedHeight(height);
    bands->addWidget(band);
    return band;
}

QLabel* LinkLabel(QWidget* parent, const char* name, const QString& caption, const QString& url) {
    auto* label = Named(new QLabel(caption, parent), name);
    label->setProperty("URL", url);
    label->setProperty("role", "link");
    label->setCursor(Qt::PointingHandCursor);
    label->setFocusPolicy(Qt::TabFocus);
    return label;
}
