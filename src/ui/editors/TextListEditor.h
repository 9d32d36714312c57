#pragma once

#include "ui/editors/EditorSteps.h"

#include <QObject>

class QLineEdit;
class QPushButton;

// A text-list editor (text links, banners): an edit box whose text Create adds to the list
// unless it is empty or already there in any letter case, and Delete for the selected row.
class TextListEditor : public QObject {
  public:
    struct Controls {
        QLineEdit* input;
        QPushButton* create;
        QPushButton* remove;
        QListWidget* list;
    };
    struct Texts {
        QString empty;
        QString duplicate;
        QString select;
    };

    TextListEditor(Controls controls, StringList& items, Texts texts, EditorContext context);

    // Called with each item after the user added it.
    std::function<void(const std::string& item)> added;

    // Shows the items as the model holds them.
    void ShowItems();

  private:
    void CreateClick();
    void DeleteClick();

    Controls controls_;
    StringList& items_;
    Texts texts_;
    EditorContext context_;
};
