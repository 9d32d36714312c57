#include "BannerPreviewProbe.h"
#include "WindowFixture.h"
#include "ui/Addresses.h"
#include "ui/Skin.h"

#include <QGroupBox>
#include <QStyleFactory>
#include <QTimer>
#include <fstream>

// Distances from a control to the named edges ("LTRB") of an enclosing widget; the others are 0.
static QMargins Distances(const QWidget* control, const QWidget* frame, const QString& edges) {
    const QRect rect(control->mapTo(frame, QPoint(0, 0)), control->size());
    return {edges.contains('L') ? rect.left() : 0, edges.contains('T') ? rect.top() : 0,
            edges.contains('R') ? frame->width() - rect.right() - 1 : 0,
            edges.contains('B') ? frame->height() - rect.bottom() - 1 : 0};
}

class WindowTest : public WindowTestCase {
    Q_OBJECT

  private:
    QStackedWidget* pages() { return Find<QStackedWidget>(window.get(), "ntbMain"); }

  private slots:
    void startsOnTheFirstPageWithTheCatalogueFilled() {
        QCOMPARE(ShownTitle(window.get()), QString("Affiliate Vantor"));
        QCOMPARE(window->size(), QSize(732, 521));
        QCOMPARE(pages()->count(), 11);
        QCOMPARE(pages()->currentIndex(), 0);
        QVERIFY(!Find<QPushButton>(window.get(), "btnBack")->isEnabled());
        QVERIFY(Find<QPushButton>(window.get(), "btnNext")->isEnabled());
        QCOMPARE(Find<QLineEdit>(window.get(), "edtFilename")->text(),
                 QString("affiliatepage.htm"));
        QVERIFY(Find<QRadioButton>(window.get(), "rbtSaveWeb")->isChecked());
        auto* templates = Find<QComboBox>(window.get(), "cbxTemplates");
        QCOMPARE(templates->count(), 2);
        QCOMPARE(templates->currentText(), QString("Basic"));
        QCOMPARE(templates->itemText(1), QString("Fancy"));
        QVERIFY(world->messages->boxes.empty());
        // The web engine waits for the first banner preview.
        QVERIFY(!BannerWebView(window.get()));
        // The template name is recorded, the output name is not until the box changes.
        const std::string saved = SavedSettings();
        QVERIFY(saved.find("<%%AfTemplate%%>Basic<%%/AfTemplate%%>") != std::string::npos);
        QVERIFY(saved.find("<%%AfFileName%%><%%/AfFileName%%>") != std::string::npos);
    }

    void controlsStandWhereTheWizardPutsThem() {
        QCOMPARE(Find<QWidget>(window.get(), "bsSkinPanel1")->height(), 37);
        QCOMPARE(Find<QWidget>(window.get(), "panBanner")->height(), 65);
        QCOMPARE(pages()->height(), 346);
        QCOMPARE(Find<QWidget>(window.get(), "panWizard")->height(), 37);
        QCOMPARE(Find<QWidget>(window.get(), "panLinks")->height(), 36);
        QCOMPARE(Find<QWidget>(window.get(), "edtTitlePage")->geometry(), QRect(14, 75, 278, 18));
        QCOMPARE(Find<QWidget>(window.get(), "btnNext")->geometry(), QRect(124, 7, 113, 25));
        QCOMPARE(Find<QWidget>(window.get(), "btnMakeMoney")->geometry(), QRect(480, 6, 125, 20));
        QCOMPARE(Find<QWidget>(window.get(), "lbxPPCAds")->geometry(), QRect(348, 49, 364, 111));
        // The five memo pages keep their boxes in one place, so nothing shifts between them.
        for (const char* name :
             {"lbxSignatures", "lbxEmails", "lbxAutoEmail", "lbxArticles", "lbxPopups"})
            QCOMPARE(Find<QWidget>(window.get(), name)->geometry(), QRect(367, 67, 348, 103));
        for (const char* name : {"memSignatureDetails", "memEmailDetails", "memAutoEmailDetails",
                                 "memArticleDetails", "memPopUpDetails"})
            QCOMPARE(Find<QWidget>(window.get(), name)->geometry(), QRect(367, 196, 348, 103));
        QCOMPARE(Find<QWidget>(window.get(), "memArticle")->geometry(),
                 Find<QWidget>(window.get(), "memSignature")->geometry());
        QCOMPARE(Find<QWidget>(window.get(), "btnFinish")->geometry(), QRect(39, 127, 114, 25));
        QVERIFY(Find<QPlainTextEdit>(window.get(), "memPPCDetails")->isReadOnly());
        for (auto* button : window->findChildren<QPushButton*>()) {
            QCOMPARE(button->focusPolicy(), Qt::TabFocus);
            QCOMPARE(button->cursor().shape(), Qt::PointingHandCursor);
        }
    }

    void anchoredControlsFollowTheWindow() {
        auto* bannerPage = Find<QWidget>(window.get(), "BannerPromo");
        pages()->setCurrentWidget(bannerPage);
        const std::tuple<const char*, QWidget*, QString> anchored[] = {
            {"bsSkinPanel1", window.get(), "LTR"},   {"panBanner", window.get(), "LTR"},
            {"ntbMain", window.get(), "LTRB"},       {"panWizard", window.get(), "LRB"},
            {"btnNext", window.get(), "LB"},         {"panLinks", window.get(), "LRB"},
            {"lblLink1URL", window.get(), "LB"},     {"lblLink2URL", window.get(), "RB"},
            {"bsSkinGroupBox2", bannerPage, "LTRB"}, {"EmbeddedWB1", bannerPage, "LTRB"}};
        std::vector<QMargins> before;
        for (const auto& [name, frame, edges] : anchored)
            before.push_back(Distances(Find<QWidget>(window.get(), name), frame, edges));
        const QSize larger = window->size() + QSize(150, 90);
        window->resize(larger);
        QTRY_COMPARE(bannerPage->width(), larger.width());
        for (std::size_t index = 0; const auto& [name, frame, edges] : anchored)
            QVERIFY2(Distances(Find<QWidget>(window.get(), name), frame, edges) == before[index++],
                     name);
    }

    void templateListShowsEightEntriesAtATime_data() {
        QTest::addColumn<bool>("skinned");
        QTest::newRow("Fusion") << false;
        QTest::newRow("Fusion with the built-in skin") << true;
    }
    void templateListShowsEightEntriesAtATime() {
        QFETCH(bool, skinned);
        for (int number = 1; number <= 18; ++number)
            world->AddTemplate("more" + std::to_string(number) + ".tem", "<p></p>");
        const QFont font = QApplication::font();
        if (skinned)
            ApplyBuiltInSkin(*qApp);
        else
            QApplication::setStyle(QStyleFactory::create("Fusion"));
        window = world->OpenWindow();
        auto* templates = Find<QComboBox>(window.get(), "cbxTemplates");
        pages()->setCurrentIndex(1);
        templates->showPopup();
        QAbstractItemView* list = templates->view();
        QTRY_VERIFY(list->isVisible());
        int shown = 0;
        for (int row = 0; row < templates->count(); ++row) {
            const QRect entry = list->visualRect(list->model()->index(row, 0));
            shown += entry.top() >= 0 && entry.bottom() < list->viewport()->height();
        }
        templates->hidePopup();
        qApp->setStyleSheet(QString());
        QApplication::setFont(font);
        QCOMPARE(shown, 8);
    }

    void pageZeroChecks_data() {
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("url");
        QTest::addColumn<QString>("message");
        QTest::newRow("both empty") << ""
                                    << ""
                                    << "Please provide a valid title for your page.";
        QTest::newRow("blank title") << " \t "
                                     << "http://x"
                                     << "Please provide a valid title for your page.";
        QTest::newRow("blank url") << "Title"
                                   << "   "
                                   << "Please provide a valid affiliate URL.";
        // A link without its scheme would point into the page's own site once it is online.
        QTest::newRow("no http") << "Title"
                                 << "www.mystore.com/?ref=xxxx"
                                 << "The affiliate URL needs to start with \"http://\" or "
                                    "\"https://\", or its links will break once the page is "
                                    "online.\nDid you mean \"https://www.mystore.com/?ref=xxxx\"?";
        QTest::newRow("valid, no id") << "Title"
                                      << "http://xxxx.v.hop.clickbank.net"
                                      << "";
    }
    void pageZeroChecks() {
        QFETCH(QString, title);
        QFETCH(QString, url);
        QFETCH(QString, message);
        Type(window.get(), "edtTitlePage", title);
        Type(window.get(), "edtAffiliateURL", url);
        Click(window.get(), "btnNext");
        if (message.isEmpty()) {
            QVERIFY(world->messages->boxes.empty());
            QCOMPARE(pages()->currentIndex(), 1);
        } else {
            QCOMPARE(world->messages->boxes.size(), std::size_t(1));
            EXPECT_LAST_BOX(*world, Warning, message);
            QCOMPARE(pages()->currentIndex(), 0);
        }
    }

    void titleKeepsItsSpacesInTheProject() {
        Type(window.get(), "edtTitlePage", "  Spaced  ");
        Type(window.get(), "edtAffiliateURL", "http://u");
        Click(window.get(), "btnNext");
        QCOMPARE(pages()->currentIndex(), 1);
        QVERIFY(SavedSettings().find("<%%AfTitle%%>  Spaced  <%%/AfTitle%%>") != std::string::npos);
    }

    void nextAndBackWalkThePagesAndRecheckPageZero() {
        Type(window.get(), "edtTitlePage", "T");
        Type(window.get(), "edtAffiliateURL", "http://u");
        for (int page = 1; page <= 10; ++page) {
            Click(window.get(), "btnNext");
            QCOMPARE(pages()->currentIndex(), page);
        }
        QVERIFY(!Find<QPushButton>(window.get(), "btnNext")->isEnabled());
        QVERIFY(Find<QPushButton>(window.get(), "btnBack")->isEnabled());
        Click(window.get(), "btnNext");
        QCOMPARE(pages()->currentIndex(), 10);
        for (int page = 9; page >= 0; --page)
            Click(window.get(), "btnBack");
        QCOMPARE(pages()->currentIndex(), 0);
        QVERIFY(!Find<QPushButton>(window.get(), "btnBack")->isEnabled());
        Type(window.get(), "edtTitlePage", "");
        Click(window.get(), "btnNext");
        EXPECT_LAST_BOX(*world, Warning, "Please provide a valid title for your page.");
        QCOMPARE(pages()->currentIndex(), 0);
    }

    void focusFollowsThePageOnlyFromInsideThePages() {
        window->activateWindow();
        Find<QLineEdit>(window.get(), "edtTitlePage")->setFocus();
        Type(window.get(), "edtTitlePage", "T");
        Type(window.get(), "edtAffiliateURL", "http://u");
        Click(window.get(), "btnNext");
        QTRY_COMPARE(QApplication::focusWidget(), Find<QWidget>(window.get(), "cbxTemplates"));
        Click(window.get(), "btnNext");
        QTRY_COMPARE(QApplication::focusWidget(), Find<QWidget>(window.get(), "edtAchorText"));
    }

    void templateChoiceShowsItsPreviewAndIsRecorded() {
        auto* templates = Find<QComboBox>(window.get(), "cbxTemplates");
        auto* preview = Find<QLabel>(window.get(), "Image1");
        QVERIFY(!preview->isHidden());
        QCOMPARE(preview->pixmap().size(), QSize(40, 30));
        templates->setCurrentIndex(1);
        QVERIFY(preview->isHidden());
        QVERIFY(SavedSettings().find(">Fancy<") != std::string::npos);
        templates->setCurrentIndex(0);
        QVERIFY(!preview->isHidden());
    }

    void undecodablePreviewIsHiddenButTheChoiceIsRecorded() {
        world->folder.write("Templates/fancy.jpg", "not a picture");
        Find<QComboBox>(window.get(), "cbxTemplates")->setCurrentIndex(1);
        QVERIFY(Find<QLabel>(window.get(), "Image1")->isHidden());
        QVERIFY(SavedSettings().find(">Fancy<") != std::string::npos);
        QVERIFY(world->messages->boxes.empty());
    }

    void emptyCatalogueSelectsNothing() {
        window.reset();
        std::filesystem::remove_all(world->folder.path() / "Templates");
        window = world->OpenWindow();
        QCOMPARE(Find<QComboBox>(window.get(), "cbxTemplates")->count(), 0);
        QVERIFY(world->messages->boxes.empty());
        QVERIFY(SavedSettings().find("<%%AfTemplate%%><%%/AfTemplate%%>") != std::string::npos);
    }

    void helpAndMakeMoneyOpenTheMakersAddresses() {
        Click(window.get(), "btnHelp");
        Click(window.get(), "btnMakeMoney");
        // Without a brand there is no affiliate ID to append.
        QCOMPARE(world->browsed, QStringList({HelpURL, MakeMoneyBaseURL}));
        QVERIFY(world->opened.isEmpty());
    }

    void bannerPicturesAreCentredByHalves() {
        auto* picture = Find<QLabel>(window.get(), "imgBanner");
        picture->resize(105, 31);
        window->resize(760, 521);
        window->resize(732, 521);
        QTRY_COMPARE(Find<QWidget>(window.get(), "panBanner")->width(), 732);
        QCOMPARE(picture->x(), 314);
        QCOMPARE(picture->y(), 17);
        // Wider than the band: cut on both sides, each half truncated on its own.
        picture->resize(801, 31);
        window->resize(760, 521);
        window->resize(732, 521);
        QTRY_COMPARE(picture->x(), 366 - 400);
    }
};

int main(int argc, char** argv) {
    WindowTest tests;
    return RunUiTests(tests, argc, argv);
}

#include "WindowTest.moc"
