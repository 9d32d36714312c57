#include "WindowFixture.h"

#include <QAccessible>
#include <QApplication>
#include <algorithm>
#include <tuple>

class KeyboardTest : public WindowTestCase {
    Q_OBJECT

  private:
    QWidget* w() { return window.get(); }
    static QWidget* Focused() { return QApplication::focusWidget(); }
    static QString NameOf(QWidget* control) { return control ? control->objectName() : "none"; }
    static void Press(Qt::Key key) { QTest::keyClick(Focused(), key); }
    static void Keys(const QString& text) { QTest::keyClicks(Focused(), text); }

    // Presses Tab until the named control has the focus; false when Tab never gets there.
    static bool TabTo(const char* name) {
        for (int presses = 0; presses < 40; ++presses) {
            if (NameOf(Focused()) == name)
                return true;
            Press(Qt::Key_Tab);
        }
        return false;
    }

    // Every control Tab may stop at, in the order a reader meets them: band by band, and on a
    // page the left column before the right one, each from top to bottom and left to right.
    QStringList ReadingOrder() {
        auto* pages = Find<QStackedWidget>(w(), "ntbMain");
        std::vector<std::tuple<int, bool, int, int, QString>> places;
        for (QWidget* control : w()->findChildren<QWidget*>()) {
            if (control->window() != w() || !(control->focusPolicy() & Qt::TabFocus) ||
                !control->isEnabled() || !control->isVisibleTo(w()))
                continue;
            QWidget* band = control;
            while (band->parentWidget() != w())
                band = band->parentWidget();
            const QPoint at = control->mapTo(band, QPoint(0, 0));
            const bool rightColumn = band == pages && at.x() >= 340;
            places.emplace_back(band->y(), rightColumn, at.y(), at.x(), control->objectName());
        }
        std::sort(places.begin(), places.end());
        QStringList names;
        for (const auto& place : places)
            names << std::get<4>(place);
        return names;
    }

  private slots:
    void everyControlIsNamedForScreenReaders() {
        int labelled = 0;
        for (auto* label : w()->findChildren<QLabel*>()) {
            if (QWidget* control = label->buddy()) {
                const QString text = label->text().trimmed();
                QCOMPARE(control->accessibleName(), text);
                // Qt reports a drop-down list's choice as its name on Linux, where screen
                // readers name it through its label relation instead.
                auto* read = QAccessible::queryAccessibleInterface(control);
                const auto labels = read->relations(QAccessible::Label);
                QVERIFY2(read->text(QAccessible::Name) == text ||
                             std::any_of(labels.begin(), labels.end(),
                                         [label](const auto& relation) {
                                             return relation.first->object() == label;
                                         }),
                         qPrintable(control->objectName()));
                ++labelled;
            }
        }
        QCOMPARE(labelled, 29);
        for (QWidget* control : w()->findChildren<QWidget*>()) {
            if (control->window() == w() && (control->focusPolicy() & Qt::TabFocus))
                QVERIFY2(!QAccessible::queryAccessibleInterface(control)
                              ->text(QAccessible::Name)
                              .isEmpty(),
                         qPrintable(control->objectName()));
        }
    }

    void tabFollowsTheReadingOrderOnEveryPage_data() {
        QTest::addColumn<int>("page");
        for (int page = 0; page <= 10; ++page)
            QTest::addRow("page %d", page) << page;
    }
    void tabFollowsTheReadingOrderOnEveryPage() {
        QFETCH(int, page);
        Find<QStackedWidget>(w(), "ntbMain")->setCurrentIndex(page);
        w()->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w()));
        const QStringList expected = ReadingOrder();
        Find<QWidget>(w(), qPrintable(expected.first()))->setFocus(Qt::TabFocusReason);
        QStringList visited;
        do {
            visited << NameOf(Focused());
            Press(Qt::Key_Tab);
        } while (NameOf(Focused()) != expected.first() && visited.size() <= expected.size());
        QCOMPARE(visited, expected);
    }

    void footerLinksOpenFromTheKeyboard() {
        w()->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w()));
        QVERIFY(TabTo("lblLink2URL"));
        Press(Qt::Key_Return);
        QCOMPARE(world->opened,
                 QStringList({Find<QLabel>(w(), "lblLink2URL")->property("URL").toString()}));
    }

    void theWholeJobCanBeDoneWithTheKeyboardAlone() {
        w()->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w()));
        QCOMPARE(NameOf(Focused()), QString("edtTitlePage"));
        // Each step Tabs to a control, then types what follows "=" (a line break as Enter) or
        // presses it with Space.
        const QStringList steps =
            QString(
                "edtTitlePage=Zen Garden|edtAffiliateURL=http://xxxx.zen.com|edtClickbankID=joe|"
                "btnNext|btnNext|edtAchorText=Buy now|btnCreateLinkPromo|btnNext|"
                "edtPPCTitle=Calm|memPPCBody=one\ntwo|edtPPCLink=www.zen.com|btnCreateProm|"
                "btnNext|edtImageUrl=http://img/b.gif|btnCreateImageUrl|btnNext|"
                "memSignature=memSignature text|btnAddSignature|btnNext|memEmail=memEmail text|"
                "btnCreateEmail|btnNext|memAutoEmail=memAutoEmail text|btnCreateAutoEmail|"
                "btnNext|memArticle=memArticle text|btnCreateArticle|btnNext|"
                "memPopUp=memPopUp text|btnCreatePopUp|btnSave|btnNext")
                .split('|');
        for (const QString& step : steps) {
            QVERIFY2(TabTo(qPrintable(step.section('=', 0, 0))), qPrintable(step));
            if (!step.contains('=')) {
                Press(Qt::Key_Space);
                continue;
            }
            const QStringList lines = step.section('=', 1).split('\n');
            for (qsizetype line = 0; line < lines.size(); ++line) {
                if (line > 0)
                    Press(Qt::Key_Return);
                Keys(lines[line]);
            }
        }
        QVERIFY(TabTo("btnFinish"));
        Press(Qt::Key_Return);

        QVERIFY(world->messages->boxes.size() == 1);
        EXPECT_LAST_BOX(*world, Information,
                        "You have successfully saved your file as:\n\r" +
                            QString::fromStdString(
                                (world->folder.path() / "Output" / "affiliatepage.htm").string()));
        const std::string settings = ReadAll(world->folder.path() / "settings.dat");
        for (const char* item :
             {">Zen Garden<", ">http://xxxx.zen.com<", ">joe<", ">Buy now<",
              ">^Calm^one$$two^www.zen.com^<", ">http://img/b.gif<", ">memSignature text<",
              ">memEmail text<", ">memAutoEmail text<", ">memArticle text<", ">memPopUp text<"})
            QVERIFY2(settings.find(item) != std::string::npos, item);
        const std::string page = ReadAll(world->folder.path() / "Output" / "affiliatepage.htm");
        QVERIFY(page.starts_with("<h1>Zen Garden</h1>\r\n"));
        QVERIFY(page.find("[Buy now]") != std::string::npos);
    }
};

int main(int argc, char** argv) {
    KeyboardTest tests;
    return RunUiTests(tests, argc, argv);
}

#include "KeyboardTest.moc"
