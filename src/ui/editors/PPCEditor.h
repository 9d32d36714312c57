#pragma once

#include "ui/editors/EditorSteps.h"

#include <QObject>

class QLineEdit;
class QPushButton;

// The PPC editor: title, body and link make one ad, shown as a numbered row; choosing a row
// shows its three parts in the details memo.
class PPCEditor : public QObject {
  public:
    struct Controls {
        QLineEdit* title;
        QPlainTextEdit* body;
        QLineEdit* link;
        QPushButton* create;
        QPushButton* remove;
        QListWidget* list;
        QPlainTextEdit* details;
    };

    PPCEditor(Controls controls, StringList& ads, EditorContext context);

    // Shows one numbered row per ad of the model.
    void ShowItems();

  private:
    void CreateClick();
    void DeleteClick();
    void ShowChosenAd();

    Controls controls_;
    StringList& ads_;
    EditorContext context_;
};
