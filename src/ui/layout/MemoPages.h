#pragma once

#include "ui/layout/WizardControls.h"

class QStackedWidget;

// Builds pages 5 to 9 (signatures, emails, autoresponder emails, articles, pop-ups) as the next
// pages of Pages.
void CreateMemoPages(QStackedWidget* pages, WizardControls& controls);
