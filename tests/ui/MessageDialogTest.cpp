#include "ui/MessageDialog.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>

class MessageDialogTest : public QObject {
    Q_OBJECT

  private slots:
    void kindsHaveTheirCaptions() {
        QCOMPARE(TMessageDialog::CaptionOf(TMsgDlgType::mtWarning), QString("Warning"));
        QCOMPARE(TMessageDialog::CaptionOf(TMsgDlgType::mtError), QString("Error"));
        QCOMPARE(TMessageDialog::CaptionOf(TMsgDlgType::mtInformation), QString("Information"));
    }

    void keysAndButtonsGiveTheirResults_data() {
        QTest::addColumn<bool>("withCancel");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("result");
        QTest::newRow("enter, ok") << false << int(Qt::Key_Return) << 1;
        QTest::newRow("escape, ok only") << false << int(Qt::Key_Escape) << 1;
        QTest::newRow("enter, ok and cancel") << true << int(Qt::Key_Return) << 1;
        QTest::newRow("escape, ok and cancel") << true << int(Qt::Key_Escape) << 2;
    }
    void keysAndButtonsGiveTheirResults() {
        QFETCH(bool, withCancel);
        QFETCH(int, key);
        QFETCH(int, result);
        TMessageDialog box("Text", TMsgDlgType::mtWarning,
                           withCancel ? TMsgDlgButtons::mbOKCancel : TMsgDlgButtons::mbOK);
        box.open();
        QTest::keyClick(&box, Qt::Key(key));
        QCOMPARE(box.result(), result);
    }

    void closingAnotherWayIsCancel() {
        TMessageDialog box("Text", TMsgDlgType::mtError, TMsgDlgButtons::mbOK);
        box.open();
        box.close();
        QCOMPARE(box.result(), 2);
    }

    void layoutPlacesTextIconAndButtons() {
        TMessageDialog box("First line\nsecond line", TMsgDlgType::mtInformation,
                           TMsgDlgButtons::mbOKCancel);
        auto* text = box.findChild<QLabel*>("lblMessage");
        auto* ok = box.findChild<QPushButton*>("btnOK");
        auto* cancel = box.findChild<QPushButton*>("btnCancel");
        QCOMPARE(text->pos(), QPoint(50, 15));
        QCOMPARE(box.findChild<QLabel*>("imgMessageIcon")->x(), 5);
        QCOMPARE(ok->width(), 70);
        QCOMPARE(cancel->x() - ok->x(), 80);
        QCOMPARE(ok->x() + (cancel->x() + 70 - ok->x()) / 2, box.width() / 2);
        QCOMPARE(box.height() - ok->geometry().bottom() - 1, 10);
        QCOMPARE(box.windowTitle(), QString("Information"));
    }
};

QTEST_MAIN(MessageDialogTest)
#include "MessageDialogTest.moc"
