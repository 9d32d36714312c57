#include "ui/MessageDialog.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QStyle>

namespace {

constexpr int ButtonWidth = 70;
constexpr int ButtonTextMargin = 12;
constexpr int ButtonHeight = 25;
constexpr int ButtonGap = 10;
constexpr int IconSize = 32;
constexpr int TextLeft = 50;
constexpr int TextTop = 15;

QStyle::StandardPixmap IconOf(MessageKind kind) {
    switch (kind) {
    case MessageKind::Warning:
        return QStyle::SP_MessageBoxWarning;
    case MessageKind::Error:
        return QStyle::SP_MessageBoxCritical;
    case MessageKind::Information:
        break;
    }
    return QStyle::SP_MessageBoxInformation;
}

// Sizes the label to its text. A sentence longer than about 70 characters wraps into lines
// rather than stretching the box across the screen; a word wider than that (a path) is kept
// whole, since a label cuts a word it cannot break.
void FitMessageLabel(QLabel* label) {
    label->adjustSize();
    const QFontMetrics metrics(label->font());
    int widestWord = 0;
    for (const QString& word : label->text().split(QRegularExpression("\\s+"), Qt::SkipEmptyParts))
        widestWord = std::max(widestWord, metrics.horizontalAdvance(word));
    const int limit = std::max(70 * metrics.averageCharWidth(), widestWord);
    if (label->width() <= limit)
        return;
    label->setWordWrap(true);
    label->resize(limit, label->heightForWidth(limit));
}

} // namespace

int DialogPresenter::MessageDialog(const QString& text, MessageKind kind, MessageButtons buttons,
                                   int /*helpContext*/) {
    MessageDialogBox box(text, kind, buttons, QApplication::activeWindow());
    return box.exec();
}

QString MessageDialogBox::CaptionOf(MessageKind kind) {
    switch (kind) {
    case MessageKind::Warning:
        return QStringLiteral("Warning");
    case MessageKind::Error:
        return QStringLiteral("Error");
    case MessageKind::Information:
        break;
    }
    return QStringLiteral("Information");
}

MessageDialogBox::MessageDialogBox(const QString& text, MessageKind kind, MessageButtons buttons,
                                   QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      escapeResult_(buttons == MessageButtons::Ok ? MessageResult::Ok : MessageResult::Cancel) {
    setObjectName("msgMain");
    setWindowTitle(CaptionOf(kind));
    setModal(true);

    auto* label = new QLabel(this);
    label->setObjectName("lblMessage");
    label->setTextFormat(Qt::PlainText);
    // The success text separates its path with LF CR; a CR has no glyph of its own.
    label->setText(QString(text).remove(QLatin1Char('\r')));
    FitMessageLabel(label);
    label->move(TextLeft, TextTop);

    auto* icon = new QLabel(this);
    icon->setObjectName("imgMessageIcon");
    icon->setPixmap(style()->standardIcon(IconOf(kind)).pixmap(IconSize, IconSize));
    icon->setGeometry(5, std::max(10, label->y() + (label->height() - IconSize) / 2), IconSize,
                      IconSize);

    QList<QPushButton*> row;
    auto addButton = [this, &row](const QString& caption, const char* name, int result) {
        auto* button = new QPushButton(caption, this);
        button->setObjectName(name);
        connect(button, &QPushButton::clicked, this, [this, result] { done(result); });
        row << button;
    };
    switch (buttons) {
    case MessageButtons::Ok:
    case MessageButtons::OkCancel:
        addButton(QStringLiteral("OK"), "btnOK", MessageResult::Ok);
        break;
    case MessageButtons::SaveDontSaveCancel:
        addButton(QStringLiteral("Save"), "btnSave", MessageResult::Yes);
        addButton(QStringLiteral("Don't Save"), "btnDontSave", MessageResult::No);
        break;
    case MessageButtons::RestoreDiscard:
    case MessageButtons::RestoreDiscardReport:
        addButton(QStringLiteral("Restore"), "btnRestore", MessageResult::Restore);
        addButton(QStringLiteral("Discard"), "btnDiscard", MessageResult::Discard);
        if (buttons == MessageButtons::RestoreDiscardReport)
            addButton(QStringLiteral("Show Report"), "btnShowReport", MessageResult::ShowReport);
        break;
    }
    if (buttons == MessageButtons::OkCancel || buttons == MessageButtons::SaveDontSaveCancel)
        addButton(QStringLiteral("Cancel"), "btnCancel", MessageResult::Cancel);
    row.front()->setDefault(true);

    // A caption longer than the usual width widens its button rather than being cut.
    QList<int> widths;
    int rowWidth = (int(row.size()) - 1) * ButtonGap;
    for (auto* button : row) {
        button->ensurePolished();
        const int textWidth = button->fontMetrics().horizontalAdvance(button->text());
        widths << std::max(ButtonWidth, textWidth + 2 * ButtonTextMargin);
        rowWidth += widths.back();
    }
    const int contentBottom = std::max(label->y() + label->height(), icon->y() + IconSize);
    const int width = std::max({TextLeft + label->width() + 20, rowWidth + 40, 240});
    const int height = contentBottom + 20 + ButtonHeight + 10;
    int left = (width - rowWidth) / 2;
    for (int i = 0; i < row.size(); ++i) {
        QPushButton* button = row[i];
        button->setGeometry(left, height - 10 - ButtonHeight, widths[i], ButtonHeight);
        button->setCursor(Qt::PointingHandCursor);
        // Enter always means the first button, so no button may take the focus from it.
        button->setFocusPolicy(Qt::NoFocus);
        left += widths[i] + ButtonGap;
    }
    setFixedSize(width, height);
}

void MessageDialogBox::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        done(escapeResult_);
        return;
    }
    QDialog::keyPressEvent(event);
}

void MessageDialogBox::showEvent(QShowEvent* event) {
    if (QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    QDialog::showEvent(event);
}

void MessageDialogBox::reject() {
    done(MessageResult::Cancel);
}
