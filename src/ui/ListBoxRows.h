#pragma once

#include "model/UAffiliate.h"

#include <QString>

class QListWidget;

// The selected row, or -1 when none is.
int SelectedRow(const QListWidget* list);

// Rows as wide as the list: a long item is shortened in the middle, with the whole of it as its
// tip, rather than needing a horizontal scroll bar that covers the last row in view.
void FitRowsToWidth(QListWidget* list);

// Rows that show the items themselves.
void ShowItems(QListWidget* list, const StringList& items);

// Rows labelled Label1, Label2, ... one per item.
void ShowNumberedRows(QListWidget* list, const StringList& items, const QString& label);

// One more labelled row, numbered after the rows already there.
void AddNumberedRow(QListWidget* list, const QString& label);
