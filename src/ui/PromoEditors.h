#pragma once

#include "model/UAffiliate.h"

#include <QString>

class QLineEdit;
class QListWidget;
class QPlainTextEdit;

// The label of the PPC editor's rows.
inline const QString PPCRowLabel = QStringLiteral("PPC Ad");

// The controls, list and messages of a text-list editor (text links, banners).
struct TextListEditor {
    QLineEdit* input;
    QListWidget* list;
    StringList* items;
    QString emptyMessage;
    QString duplicateMessage;
    QString deleteMessage;
};

// The controls, list, row label and messages of a memo editor.
struct MemoEditor {
    QPlainTextEdit* input;
    QListWidget* list;
    QPlainTextEdit* details;
    StringList* items;
    QString rowLabel;
    QString emptyMessage;
    QString deleteMessage;
};
