#include "ui/MessageDialog.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>

Q_DECLARE_METATYPE(TMsgDlgButtons)

class MessageDialogTest : public QObject {
    Q_OBJECT

  private slots:
    void kindsHaveTheirCaptions() {
        QCOMPARE(TMessageDialog::CaptionOf(TMsgDlgType::mtWarning), QString("Warning"));
        QCOMPARE(TMessageDialog::CaptionOf(TMsgDlgType::mtError), QString("Error"));
        QCOMPARE(TMessageDialog::CaptionOf(TMsgDlgType::mtInformation), QString("Information"));
    }

    void keysAndButtonsGiveTheirResults_data() {
        QTest::addColumn<TMsgDlgButtons>("buttons");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("result");
        const auto ok = TMsgDlgButtons::mbOK;
        const auto okCancel = TMsgDlgButtons::mbOKCancel;
        const auto saveDontSaveCancel = TMsgDlgButtons::mbSaveDontSaveCancel;
        QTest::newRow("enter, ok") << ok << int(Qt::Key_Return) << mrOk;
        QTest::newRow("escape, ok only") << ok << int(Qt::Key_Escape) << mrOk;
        QTest::newRow("enter, ok and cancel") << okCancel << int(Qt::Key_Return) << mrOk;
        QTest::newRow("escape, ok and cancel") << okCancel << int(Qt::Key_Escape) << mrCancel;
        QTest::newRow("enter, save") << saveDontSaveCancel << int(Qt::Key_Return) << mrYes;
        QTest::newRow("escape, save") << saveDontSaveCancel << int(Qt::Key_Escape) << mrCancel;
    }
    void keysAndButtonsGiveTheirResults() {
        QFETCH(TMsgDlgButtons, buttons);
        QFETCH(int, key);
        QFETCH(int, result);
        TMessageDialog box("Text", TMsgDlgType::mtWarning, buttons);
        box.open();
        QTest::keyClick(&box, Qt::Key(key));
        QCOMPARE(box.result(), result);
    }

    void dontSaveIsItsOwnAnswer() {
        TMessageDialog box("Text", TMsgDlgType::mtWarning, TMsgDlgButtons::mbSaveDontSaveCancel);
        box.open();
        QTest::mouseClick(box.findChild<QPushButton*>("btnDontSave"), Qt::LeftButton);
        QCOMPARE(box.result(), mrNo);
        QVERIFY(box.findChild<QPushButton*>("btnOK") == nullptr);
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
