#pragma once

#include "ui/editors/EditorSteps.h"
#include "ui/layout/WizardControls.h"

#include <QObject>

// A memo editor (signatures, emails, autoresponder emails, articles, pop-ups): Create adds the
// memo's text as one item, shown as a numbered row; choosing a row shows its item in the details
// memo; Delete removes the selected one.
class MemoEditor : public QObject {
  public:
    struct Texts {
        QString rowLabel;
        QString empty;
        QString select;
    };

    MemoEditor(const MemoPageControls& controls, StringList& items, Texts texts,
               EditorContext context);

    // Shows one numbered row per item of the model.
    void ShowItems();

  private:
    void CreateClick();
    void DeleteClick();
    void ShowChosenItem();

    MemoPageControls controls_;
    StringList& items_;
    Texts texts_;
    EditorContext context_;
};
