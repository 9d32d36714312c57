#pragma once

#include "model/UAffiliate.h"

#include <QString>

class QListWidget;

// The selected row, or -1 when none is.
int SelectedRow(const QListWidget* list);

// Rows that show the items themselves.
void ShowItems(QListWidget* list, const StringList& items);

// Rows labelled Label1, Label2, ... one per item.
void ShowNumberedRows(QListWidget* list, const StringList& items, const QString& label);

// One more labelled row, numbered after the rows already there.
void AddNumberedRow(QListWidget* list, const QString& label);
