#pragma once

#include <QDialog>
#include <QString>

// The kinds of message box the window shows.
enum class TMsgDlgType { mtWarning, mtError, mtInformation };

// The button sets the window uses.
enum class TMsgDlgButtons { mbOK, mbOKCancel };

// Results of a message box.
constexpr int mrOk = 1;
constexpr int mrCancel = 2;

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
