#include "ui/MessageDialog.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>

Q_DECLARE_METATYPE(MessageButtons)

class MessageDialogTest : public QObject {
    Q_OBJECT

  private slots:
    void kindsHaveTheirCaptions() {
        QCOMPARE(MessageDialogBox::CaptionOf(MessageKind::Warning), QString("Warning"));
        QCOMPARE(MessageDialogBox::CaptionOf(MessageKind::Error), QString("Error"));
        QCOMPARE(MessageDialogBox::CaptionOf(MessageKind::Information), QString("Information"));
    }

    void keysAndButtonsGiveTheirResults_data() {
        QTest::addColumn<MessageButtons>("buttons");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("result");
        const auto ok = MessageButtons::Ok;
        const auto okCancel = MessageButtons::OkCancel;
        const auto saveDontSaveCancel = MessageButtons::SaveDontSaveCancel;
        QTest::newRow("enter, ok") << ok << int(Qt::Key_Return) << MessageResult::Ok;
        QTest::newRow("escape, ok only") << ok << int(Qt::Key_Escape) << MessageResult::Ok;
        QTest::newRow("enter, ok and cancel")
            << okCancel << int(Qt::Key_Return) << MessageResult::Ok;
        QTest::newRow("escape, ok and cancel")
            << okCancel << int(Qt::Key_Escape) << MessageResult::Cancel;
        QTest::newRow("enter, save")
            << saveDontSaveCancel << int(Qt::Key_Return) << MessageResult::Yes;
        QTest::newRow("escape, save")
            << saveDontSaveCancel << int(Qt::Key_Escape) << MessageResult::Cancel;
        const auto restore = MessageButtons::RestoreDiscardReport;
        QTest::newRow("enter, restore") << restore << int(Qt::Key_Return) << MessageResult::Restore;
        // There is no Cancel button, and yet Escape decides nothing.
        QTest::newRow("escape, restore") << restore << int(Qt::Key_Escape) << MessageResult::Cancel;
    }
    void keysAndButtonsGiveTheirResults() {
        QFETCH(MessageButtons, buttons);
        QFETCH(int, key);
        QFETCH(int, result);
        MessageDialogBox box("Text", MessageKind::Warning, buttons);
        box.open();
        QTest::keyClick(&box, Qt::Key(key));
        QCOMPARE(box.result(), result);
    }

    void dontSaveIsItsOwnAnswerAndShowsWhole() {
        MessageDialogBox box("Text", MessageKind::Warning, MessageButtons::SaveDontSaveCancel);
        box.open();
        auto* dontSave = box.findChild<QPushButton*>("btnDontSave");
        QVERIFY(dontSave->width() >=
                dontSave->fontMetrics().horizontalAdvance(dontSave->text()) + 16);
        QTest::mouseClick(dontSave, Qt::LeftButton);
        QCOMPARE(box.result(), MessageResult::No);
        QVERIFY(box.findChild<QPushButton*>("btnOK") == nullptr);
    }

    void closingAnotherWayIsCancel() {
        MessageDialogBox box("Text", MessageKind::Error, MessageButtons::Ok);
        box.open();
        box.close();
        QCOMPARE(box.result(), 2);
    }

    void layoutPlacesTextIconAndButtons() {
        MessageDialogBox box("First line\nsecond line", MessageKind::Information,
                             MessageButtons::OkCancel);
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

    void longSentencesWrapButPathsStayWhole() {
        const QString sentence =
            QString("Every word of this sentence fits on a line. ").repeated(6);
        MessageDialogBox wrapped(sentence, MessageKind::Information, MessageButtons::Ok);
        auto* text = wrapped.findChild<QLabel*>("lblMessage");
        const QFontMetrics metrics(text->font());
        QVERIFY(text->width() <= 70 * metrics.averageCharWidth());
        QVERIFY(text->height() >= 3 * metrics.height());
        QVERIFY(wrapped.width() < metrics.horizontalAdvance(sentence));

        const QString path = "/home/ann/" + QString("folder/").repeated(20) + "page.htm";
        MessageDialogBox whole("Saved as:\n" + path, MessageKind::Information, MessageButtons::Ok);
        QVERIFY(whole.findChild<QLabel*>("lblMessage")->width() >= metrics.horizontalAdvance(path));
    }
};

QTEST_MAIN(MessageDialogTest)
#include "MessageDialogTest.moc"
