#pragma once

#include <functional>

class QListWidget;
class QWidget;

// Runs Action when a control that has no click signal of its own is clicked, or pressed with
// Enter or Space while it has the focus.
void OnClick(QWidget* control, std::function<void()> action);

// Runs Handler when the user clicks the row that is already selected.
void OnClickOnSelectedRow(QListWidget* list, std::function<void()> handler);
