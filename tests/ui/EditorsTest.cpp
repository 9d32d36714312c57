#include "BannerPreviewProbe.h"
#include "WindowFixture.h"
#include "util/files/FileUrl.h"

// The three input styles of the editors, and how a test fills each.
enum class InputKind { Line, Memo, PPC };
Q_DECLARE_METATYPE(InputKind)

class EditorsTest : public WindowTestCase {
    Q_OBJECT

  private:
    void Fill(InputKind kind, const char* input, const QString& text) {
        if (kind == InputKind::Memo)
            Find<QPlainTextEdit>(window.get(), input)->setPlainText(text);
        else
            Type(window.get(), input, text);
    }
    void Select(const char* list, int row) {
        Find<QListWidget>(window.get(), list)->setCurrentRow(row);
    }
    QString Details(const char* memo) {
        return Find<QPlainTextEdit>(window.get(), memo)->toPlainText();
    }
    // Clicks a row with the mouse, on its page as the user sees it.
    void ClickRow(const char* listName, int row) {
        auto* list = Find<QListWidget>(window.get(), listName);
        Find<QStackedWidget>(window.get(), "ntbMain")->setCurrentWidget(list->parentWidget());
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(list->item(row)).center());
    }

  private slots:
    void refusals_data() {
        QTest::addColumn<InputKind>("kind");
        QTest::addColumn<QString>("input");
        QTest::addColumn<QString>("create");
        QTest::addColumn<QString>("remove");
        QTest::addColumn<QString>("list");
        QTest::addColumn<QString>("emptyMessage");
        QTest::addColumn<QString>("deleteMessage");
        auto row = [](const char* name, InputKind kind, const char* input, const char* create,
                      const char* remove, const char* list, const char* empty,
                      const char* deleteText) {
            QTest::newRow(name) << kind << input << create << remove << list << empty << deleteText;
        };
        row("text links", InputKind::Line, "edtAchorText", "btnCreateLinkPromo",
            "btnDeleteLinkPromo", "lbxLinkPromo", "Please provide a valid Text Link Promo.",
            "Please select a Text Link Promo to delete.");
        row("ppc", InputKind::PPC, "edtPPCTitle", "btnCreateProm", "btnDeleteProm", "lbxPPCAds",
            "Please provide a valid PPC Ad Promo.", "Please select a PPC Ad Promo to delete.");
        row("banners", InputKind::Line, "edtImageUrl", "btnCreateImageUrl", "btnDeleteImageUrl",
            "lbxBanners", "Please provide a valid Banner Ad Promo.",
            "Please select a Banner Ad Promo to delete.");
        row("signatures", InputKind::Memo, "memSignature", "btnAddSignature", "btnDeleteSignature",
            "lbxSignatures", "Please provide a valid Signature Ad Promo.",
            "Please select a Signature Ad Promo to delete.");
        row("emails", InputKind::Memo, "memEmail", "btnCreateEmail", "btnDeleteEmail", "lbxEmails",
            "Please provide a valid Email Ad.", "Please select an Email Ad to delete.");
        row("autoresponder", InputKind::Memo, "memAutoEmail", "btnCreateAutoEmail",
            "btnDeleteAutoEmail", "lbxAutoEmail", "Please provide a valid Autoresponder Ad.",
            "Please select an Autoresponder Ad to delete.");
        row("articles", InputKind::Memo, "memArticle", "btnCreateArticle", "btnDeleteArticle",
            "lbxArticles", "Please provide a valid Article.",
            "Please select an Article to delete.");
        row("popups", InputKind::Memo, "memPopUp", "btnCreatePopUp", "btnDeletePopUp", "lbxPopups",
            "Please provide a valid PopUp.", "Please select a PopUp to delete.");
    }
    void refusals() {
        QFETCH(InputKind, kind);
        QFETCH(QString, input);
        QFETCH(QString, create);
        QFETCH(QString, remove);
        QFETCH(QString, list);
        QFETCH(QString, emptyMessage);
        QFETCH(QString, deleteMessage);
        const QByteArray inputName = input.toLatin1(), createName = create.toLatin1(),
                         removeName = remove.toLatin1(), listName = list.toLatin1();

        Click(window.get(), removeName);
        QVERIFY2(world->messages->boxes.empty(), "deleting from an empty list says nothing");

        Click(window.get(), createName);
        EXPECT_LAST_BOX(*world, Warning, emptyMessage);
        QCOMPARE(Rows(window.get(), listName).size(), 0);

        Fill(kind, inputName, "first");
        Click(window.get(), createName);
        Fill(kind, inputName, "second");
        Click(window.get(), createName);
        QCOMPARE(Rows(window.get(), listName).size(), 2);
        QCOMPARE(world->messages->boxes.size(), std::size_t(1));

        // Text the project file would give back changed is refused where it is added.
        Fill(kind, inputName, "Make $$$ fast");
        Click(window.get(), createName);
        QVERIFY(world->messages->boxes.back().text.startsWith(
            "The project file stores a line break as \"$$\""));
        QCOMPARE(Rows(window.get(), listName).size(), 2);

        Click(window.get(), removeName);
        EXPECT_LAST_BOX(*world, Warning, deleteMessage);
        Select(listName, 0);
        Click(window.get(), removeName);
        QCOMPARE(Rows(window.get(), listName).size(), 1);
        QCOMPARE(Find<QListWidget>(window.get(), listName)->selectedItems().size(), 0);
        Click(window.get(), removeName);
        EXPECT_LAST_BOX(*world, Warning, deleteMessage);
        QCOMPARE(world->messages->boxes.size(), std::size_t(4));
    }

    void separatorsTheProjectFileUsesAreRefused() {
        Type(window.get(), "edtPPCTitle", "Save");
        Type(window.get(), "edtPPCLink", "http://shop.example/?a=1^b=2");
        Click(window.get(), "btnCreateProm");
        QVERIFY(world->messages->boxes.back().text.contains("cannot hold a \"^\""));
        QCOMPARE(Rows(window.get(), "lbxPPCAds").size(), 0);

        Find<QPlainTextEdit>(window.get(), "memArticle")->setPlainText("Step 1 ^^ step 2");
        Click(window.get(), "btnCreateArticle");
        QVERIFY(world->messages->boxes.back().text.contains("\"^ ^\" instead of \"^^\""));
        QCOMPARE(Rows(window.get(), "lbxArticles").size(), 0);
        QCOMPARE(world->messages->boxes.size(), std::size_t(2));
    }

    void textListsRefuseDuplicatesInOtherCaseOnly() {
        Type(window.get(), "edtAchorText", "Buy Now");
        Click(window.get(), "btnCreateLinkPromo");
        Type(window.get(), "edtAchorText", "BUY NOW");
        Click(window.get(), "btnCreateLinkPromo");
        EXPECT_LAST_BOX(*world, Warning, "This Text Link Promo already exists.");
        Type(window.get(), "edtAchorText", " Buy Now");
        Click(window.get(), "btnCreateLinkPromo");
        QCOMPARE(Rows(window.get(), "lbxLinkPromo"), QStringList({"Buy Now", " Buy Now"}));
        QCOMPARE(world->messages->boxes.size(), std::size_t(1));
    }

    void memoRowsKeepTheirNumbersAfterDeletes() {
        for (int i = 0; i < 3; ++i) {
            Find<QPlainTextEdit>(window.get(), "memEmail")->setPlainText("same text");
            Click(window.get(), "btnCreateEmail");
        }
        QCOMPARE(Rows(window.get(), "lbxEmails"),
                 QStringList({"Email Ad1", "Email Ad2", "Email Ad3"}));
        Select("lbxEmails", 0);
        QCOMPARE(Details("memEmailDetails"), QString("same text"));
        Click(window.get(), "btnDeleteEmail");
        QCOMPARE(Details("memEmailDetails"), QString());
        QCOMPARE(Rows(window.get(), "lbxEmails"), QStringList({"Email Ad2", "Email Ad3"}));
        Click(window.get(), "btnCreateEmail");
        QCOMPARE(Rows(window.get(), "lbxEmails"),
                 QStringList({"Email Ad2", "Email Ad3", "Email Ad3"}));
        QCOMPARE(Find<QPlainTextEdit>(window.get(), "memEmail")->toPlainText(),
                 QString("same text"));
    }

    void memoItemsArePackedAndShownWithTheirLines() {
        auto* memo = Find<QPlainTextEdit>(window.get(), "memSignature");
        memo->setPlainText("\n");
        Click(window.get(), "btnAddSignature");
        memo->setPlainText("  ");
        Click(window.get(), "btnAddSignature");
        memo->setPlainText("Line one\nPrice $5\n\n");
        Click(window.get(), "btnAddSignature");
        QCOMPARE(Rows(window.get(), "lbxSignatures").size(), 3);
        QVERIFY(world->messages->boxes.empty());
        Select("lbxSignatures", 0);
        QCOMPARE(Details("memSignatureDetails"), QString());
        Select("lbxSignatures", 2);
        QCOMPARE(Details("memSignatureDetails"), QString("Line one\nPrice $5\n"));
        QVERIFY(SavedSettings().find("<%%AfSignatures%%>^^  ^^Line one$$Price $5$$"
                                     "<%%/AfSignatures%%>") != std::string::npos);
    }

    void ppcDetailsShowTitleBodyLinesAndLink() {
        Type(window.get(), "edtPPCTitle", "Calm Garden");
        Click(window.get(), "btnCreateProm");
        Type(window.get(), "edtPPCTitle", "Second");
        Find<QPlainTextEdit>(window.get(), "memPPCBody")->setPlainText("line 1\nline 2");
        Type(window.get(), "edtPPCLink", "www.example.com");
        Click(window.get(), "btnCreateProm");
        QCOMPARE(Rows(window.get(), "lbxPPCAds"), QStringList({"PPC Ad1", "PPC Ad2"}));
        Select("lbxPPCAds", 0);
        QCOMPARE(Details("memPPCDetails"), QString("Calm Garden\n\n"));
        Select("lbxPPCAds", 1);
        QCOMPARE(Details("memPPCDetails"), QString("Second\nline 1\nline 2\nwww.example.com"));
        QVERIFY(SavedSettings().find("^Calm Garden^^^$$^Second^line 1$$line 2^www.example.com^") !=
                std::string::npos);
    }

    void everyClickOnARowShowsItsWholeItem() {
        // The PPC ad comes from a file: the editor itself makes no ad without a title.
        world->folder.write("settings.dat", "<%%AfPPC%%>^^line 1$$line 2^www^<%%/AfPPC%%>"
                                            "<%%AfSignatures%%>s<%%/AfSignatures%%>"
                                            "<%%AfEmail%%>e<%%/AfEmail%%>"
                                            "<%%AfAutoEmail%%>a<%%/AfAutoEmail%%>"
                                            "<%%AfArticles%%>t<%%/AfArticles%%>"
                                            "<%%AfPopUps%%>p<%%/AfPopUps%%>");
        Click(window.get(), "btnLoad");
        const std::tuple<const char*, const char*, QString> editors[] = {
            {"lbxPPCAds", "memPPCDetails", "\nline 1\nline 2\nwww"},
            {"lbxSignatures", "memSignatureDetails", "s"},
            {"lbxEmails", "memEmailDetails", "e"},
            {"lbxAutoEmail", "memAutoEmailDetails", "a"},
            {"lbxArticles", "memArticleDetails", "t"},
            {"lbxPopups", "memPopUpDetails", "p"}};
        for (const auto& [list, details, shown] : editors) {
            ClickRow(list, 0);
            QCOMPARE(Details(details), shown);
            // A second click on the selected row replaces what was typed over the details.
            Find<QPlainTextEdit>(window.get(), details)->setPlainText("typed over");
            ClickRow(list, 0);
            QCOMPARE(Details(details), shown);
        }
    }

    void memosKeepEveryCharacterAsTyped() {
        auto* signature = Find<QPlainTextEdit>(window.get(), "memSignature");
        QTest::keyClicks(signature, QString::fromUtf8("a\u00A0b"));
        // Shift+Enter breaks the line as Enter does.
        QTest::keyClick(signature, Qt::Key_Return, Qt::ShiftModifier);
        QTest::keyClicks(signature, "c");
        QTest::keyClick(signature, Qt::Key_Return);
        QTest::keyClicks(signature, "d");
        Click(window.get(), "btnAddSignature");
        QVERIFY(SavedSettings().find(">a\u00A0b$$c$$d<") != std::string::npos);
    }

    void browsingWritesAFileUrlAndThePreviewShowsTheBanner() {
        const auto picture = world->folder.path() / "pics" / "Banner 1.gif";
        world->folder.write("pics/Banner 1.gif", "GIF89a");
        world->pictures.push_back(std::nullopt);
        world->pictures.push_back(QString::fromStdString(picture.string()));
        Type(window.get(), "edtImageUrl", "kept");
        Click(window.get(), "btnBrowseImage");
        QCOMPARE(Find<QLineEdit>(window.get(), "edtImageUrl")->text(), QString("kept"));
        Click(window.get(), "btnBrowseImage");
        const QString url = "file://" + QString::fromStdString(picture.string());
        QCOMPARE(Find<QLineEdit>(window.get(), "edtImageUrl")->text(), url);
        QCOMPARE(world->pictureStartFolders[0],
                 QString::fromStdString(world->folder.path().string()));

        Click(window.get(), "btnCreateImageUrl");
        Click(window.get(), "btnCreateImageUrl");
        EXPECT_LAST_BOX(*world, Warning, "This Banner Ad Promo already exists.");
        QVERIFY(!BannerWebView(window.get()));
        Select("lbxBanners", 0);
        QCOMPARE(BannerPreviewLocation(window.get()), url);
        QVERIFY(BannerWebView(window.get()) && !BannerWebView(window.get())->isHidden());

        world->pictures.push_back(std::nullopt);
        Click(window.get(), "btnBrowseImage");
        QCOMPARE(world->pictureStartFolders[2],
                 QString::fromStdString(picture.parent_path().string()));
    }

    void aPictureOnThisComputerIsPreviewedAndSaidNotToShowOnline() {
        const QString picture =
            QString::fromStdString(world->folder.write("pics/b 1.gif", "GIF89a").string());
        Type(window.get(), "edtImageUrl", "http://img.example/b.gif");
        Click(window.get(), "btnCreateImageUrl");
        QVERIFY(world->messages->boxes.empty());
        Type(window.get(), "edtImageUrl", picture);
        Click(window.get(), "btnCreateImageUrl");
        QCOMPARE(world->messages->boxes.size(), std::size_t(1));
        QVERIFY(world->messages->boxes.back().text.contains(
            "on this computer, so it shows here but will not show once the page is online"));
        // Stored as typed; only the preview needs an address.
        QCOMPARE(Rows(window.get(), "lbxBanners"),
                 QStringList({"http://img.example/b.gif", picture}));
        Select("lbxBanners", 1);
        QCOMPARE(BannerPreviewLocation(window.get()),
                 QString::fromStdString(FileUrl(picture.toStdString())));
    }

    void movingBetweenPagesKeepsInputsAndSelections() {
        Type(window.get(), "edtTitlePage", "T");
        Type(window.get(), "edtAffiliateURL", "http://u");
        Click(window.get(), "btnNext");
        Click(window.get(), "btnNext");
        Type(window.get(), "edtAchorText", "link");
        Click(window.get(), "btnCreateLinkPromo");
        Select("lbxLinkPromo", 0);
        Click(window.get(), "btnNext");
        Click(window.get(), "btnBack");
        QCOMPARE(Find<QLineEdit>(window.get(), "edtAchorText")->text(), QString("link"));
        QCOMPARE(Find<QListWidget>(window.get(), "lbxLinkPromo")->currentRow(), 0);
    }
};

int main(int argc, char** argv) {
    EditorsTest tests;
    return RunUiTests(tests, argc, argv);
}

#include "EditorsTest.moc"
