#pragma once

#include <QDialog>
#include <QString>

// The kinds of message box the window shows.
enum class TMsgDlgType { mtWarning, mtError, mtInformation };

// The button sets the window uses; the last asks about changes that were not saved.
enum class TMsgDlgButtons { mbOK, mbOKCancel, mbSaveDontSaveCancel };

// Results of a message box: "Save" is mrYes, "Don't Save" mrNo.
constexpr int mrOk = 1;
constexpr int mrCancel = 2;
constexpr int mrYes = 6;
constexpr int mrNo = 7;

// Shows a modal message box and returns the result of the button pressed.
class TMessagePresenter {
  public:
    virtual ~TMessagePresenter() = default;
    virtual int MessageDialog(const QString& text, TMsgDlgType kind, TMsgDlgButtons buttons,
                              int helpContext) = 0;
};

// The real presenter: a TMessageDialog over the given parent.
class TDialogPresenter : public TMessagePresenter {
  public:
    int MessageDialog(const QString& text, TMsgDlgType kind, TMsgDlgButtons buttons,
                      int helpContext) override;
};

// A modal box: icon, text and OK (and Cancel), centred on the screen.
class TMessageDialog : public QDialog {
  public:
    TMessageDialog(const QString& text, TMsgDlgType kind, TMsgDlgButtons buttons,
                   QWidget* parent = nullptr);

    static QString CaptionOf(TMsgDlgType kind);

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;

  private:
    void reject() override;

    bool hasCancel_;
};
