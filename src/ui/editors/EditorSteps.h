#pragma once

#include "model/UAffiliate.h"
#include "ui/UserMessages.h"

#include <QString>
#include <functional>
#include <optional>
#include <string>

class QListWidget;
class QPlainTextEdit;
class QPushButton;

// What every promo editor needs besides its controls: the message boxes, and the project to
// tell of the user's edits.
struct EditorContext {
    const UserMessages& messages;
    std::function<void()> edited;
};

// Shows Refusal, a text the project file could not keep, unless it is empty; true when shown.
bool RefusedAsUnstorable(const UserMessages& messages, const std::string& refusal);

// The selected row of List; nothing when the list is empty or, after SelectMessage, when no row
// is selected.
std::optional<int> RowToDelete(const UserMessages& messages, const QListWidget* list,
                               const QString& selectMessage);

// Deletes the selected item of a numbered list, its row and its details; the other rows keep
// their numbers until a project is loaded. True when one was deleted.
bool DeleteNumberedItem(const UserMessages& messages, QListWidget* list, StringList& items,
                        QPlainTextEdit* details, const QString& selectMessage);

// Runs an editor's Create and Delete when their buttons are clicked, each reporting its errors;
// Editor ends the connections when it goes.
void OnCreateAndDelete(QObject* editor, const UserMessages& messages, QPushButton* create,
                       std::function<void()> createClick, QPushButton* remove,
                       std::function<void()> deleteClick);

// Runs Show whenever the user selects a row of List, or clicks the row already selected.
void OnRowChosen(QListWidget* list, std::function<void()> show);
