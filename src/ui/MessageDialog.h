#pragma once

#include <QDialog>
#include <QString>

// The kinds of message box the window shows.
enum class MessageKind { Warning, Error, Information };

// The button sets the window uses: OK alone or with Cancel; the question about changes that were
// not saved; the question about a recovery copy, with "Show Report" when a crash left a report.
enum class MessageButtons {
    Ok,
    OkCancel,
    SaveDontSaveCancel,
    RestoreDiscard,
    RestoreDiscardReport
};

// Results of a message box: "Save" is Yes, "Don't Save" No. Escape, or closing the box another
// way, gives Cancel wherever there is a choice, so that it decides nothing.
namespace MessageResult {
inline constexpr int Ok = 1;
inline constexpr int Cancel = 2;
inline constexpr int Yes = 6;
inline constexpr int No = 7;
inline constexpr int Restore = 20;
inline constexpr int Discard = 21;
inline constexpr int ShowReport = 22;
} // namespace MessageResult

// Shows a modal message box and returns the result of the button pressed.
class MessagePresenter {
  public:
    virtual ~MessagePresenter() = default;
    virtual int MessageDialog(const QString& text, MessageKind kind, MessageButtons buttons,
                              int helpContext) = 0;
};

// The real presenter: a MessageDialogBox over the given parent.
class DialogPresenter : public MessagePresenter {
  public:
    int MessageDialog(const QString& text, MessageKind kind, MessageButtons buttons,
                      int helpContext) override;
};

// A modal box: icon, text and its buttons, centred on the screen.
class MessageDialogBox : public QDialog {
  public:
    MessageDialogBox(const QString& text, MessageKind kind, MessageButtons buttons,
                     QWidget* parent = nullptr);

    static QString CaptionOf(MessageKind kind);

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;

  private:
    void reject() override;

    int escapeResult_;
};
