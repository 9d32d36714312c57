#include "WindowFixture.h"
#include "generator/TemplateEngine.h"

class OutputSettingsTest : public WindowTestCase {
    Q_OBJECT

  private:
    QWidget* w() { return window.get(); }
    std::filesystem::path OutputPath(const std::string& name) {
        return world->folder.path() / "Output" / name;
    }
    void AddMemo(const char* memo, const char* create, const QString& text) {
        Find<QPlainTextEdit>(w(), memo)->setPlainText(text);
        Click(w(), create);
    }

    // A whole project, entered page by page as a user does.
    void EnterProject() {
        Type(w(), "edtTitlePage", "Zen Garden");
        Type(w(), "edtAffiliateURL", "http://xxxx.zen.hop.clickbank.net");
        Type(w(), "edtClickbankID", "joe");
        Click(w(), "btnNext");
        Find<QComboBox>(w(), "cbxTemplates")->setCurrentIndex(0);
        Click(w(), "btnNext");
        for (const char* text : {"Buy now", "Save 50%"}) {
            Type(w(), "edtAchorText", text);
            Click(w(), "btnCreateLinkPromo");
        }
        Click(w(), "btnNext");
        Type(w(), "edtPPCTitle", "Calm");
        Find<QPlainTextEdit>(w(), "memPPCBody")->setPlainText("one\ntwo\nthree");
        Type(w(), "edtPPCLink", "www.zen.com");
        Click(w(), "btnCreateProm");
        Type(w(), "edtPPCTitle", "Short");
        Find<QPlainTextEdit>(w(), "memPPCBody")->clear();
        Type(w(), "edtPPCLink", "");
        Click(w(), "btnCreateProm");
        Click(w(), "btnNext");
        Type(w(), "edtImageUrl", "http://img/b.gif");
        Click(w(), "btnCreateImageUrl");
        Click(w(), "btnNext");
        AddMemo("memSignature", "btnAddSignature", "sig");
        AddMemo("memSignature", "btnAddSignature", "sig two");
        Click(w(), "btnNext");
        AddMemo("memEmail", "btnCreateEmail", "Subject: hi\nline");
        Click(w(), "btnNext");
        AddMemo("memAutoEmail", "btnCreateAutoEmail", "Day 1");
        Click(w(), "btnNext");
        for (const char* text : {"a1", "a2", "a3"})
            AddMemo("memArticle", "btnCreateArticle", text);
        Click(w(), "btnNext");
        AddMemo("memPopUp", "btnCreatePopUp", "<script></script>");
        Click(w(), "btnNext");
        QCOMPARE(Find<QStackedWidget>(w(), "ntbMain")->currentIndex(), 10);
        QVERIFY(world->messages->boxes.empty());
    }

  private slots:
    void generatesTheWholeProjectIntoAFile() {
        EnterProject();
        Click(w(), "btnFinish");
        const auto file = OutputPath("affiliatepage.htm");
        EXPECT_LAST_BOX(*world, Information,
                        "You have successfully saved your file as:\n\r" +
                            QString::fromStdString(file.string()));
        const std::string page = ReadAll(file);
        QVERIFY(page.starts_with("<h1>Zen Garden</h1>\r\n"));
        QVERIFY(page.find("<a href=\"http://xxxx.zen.hop.clickbank.net?e=joe\">go</a>") !=
                std::string::npos);
        QVERIFY(page.find("[Buy now][Save 50%]") != std::string::npos);
        QVERIFY(page.find("<pre>Subject: hi\r\nline</pre>") != std::string::npos);
        QVERIFY(page.find("<img src=\"http://img/b.gif\">") != std::string::npos);
        QVERIFY(page.find("one\r\ntwo\r\nthree<br>") != std::string::npos);
        QVERIFY(page.find("Signature Ads") != std::string::npos);
        QVERIFY(world->clipboard.isEmpty());
    }

    void copiesThePageToTheClipboardExactlyAsGenerated() {
        EnterProject();
        Type(w(), "edtFilename", "   ");
        Find<QRadioButton>(w(), "rbtClipboard")->click();
        Click(w(), "btnFinish");
        EXPECT_LAST_BOX(*world, Information,
                        "You have successfully copied your code to the clipboard!");
        QCOMPARE(world->clipboard.size(), 1);
        QVERIFY(world->clipboard[0].startsWith("<h1>Zen Garden</h1>\r\n"));
        QVERIFY(!std::filesystem::exists(OutputPath("affiliatepage.htm")));
    }

    void previewShowsThePageGenerateCodeMakesAndWritesNothing() {
        EnterProject();
        world->clipboard << "before";
        Type(w(), "edtFilename", " ");
        Click(w(), "btnPreview");
        QVERIFY(world->messages->boxes.empty());
        QCOMPARE(world->previews.size(), std::size_t(1));
        QCOMPARE(world->previews[0].owner, w());
        QCOMPARE(world->previews[0].baseFolder, world->folder.path() / "Output");
        QVERIFY(!std::filesystem::exists(world->folder.path() / "Output"));
        QCOMPARE(world->clipboard, QStringList({"before"}));
        Find<QRadioButton>(w(), "rbtClipboard")->click();
        Click(w(), "btnFinish");
        QCOMPARE(world->clipboard.last(), world->previews[0].html);
    }

    void copyBoxesHoldWhatWasTypedInTheFileTheClipboardAndThePreview() {
        const std::string boxes = "<title>%%TITLE%%</title><textarea>%%AFFILIATELINK%%</textarea>"
                                  "%%TABLE_POPUP_INIT%%<textarea>%%POPUP%%</textarea>"
                                  "%%TABLE_POPUP_END%%";
        world->AddTemplate("boxes.tem", boxes);
        Restart();
        TAffManager typed;
        typed.Title = "Tom & Jerry";
        typed.AffiliateURL = "http://xxxx.shop.example/?a=1&copy=2";
        typed.PopUps = {"<b>x</b></textarea>"};
        Type(w(), "edtTitlePage", QString::fromStdString(typed.Title));
        Type(w(), "edtAffiliateURL", QString::fromStdString(typed.AffiliateURL));
        Find<QComboBox>(w(), "cbxTemplates")->setCurrentText("Boxes");
        AddMemo("memPopUp", "btnCreatePopUp", QString::fromStdString(typed.PopUps[0]));
        Click(w(), "btnFinish");
        const std::string page = ReadAll(OutputPath("affiliatepage.htm"));
        QCOMPARE(page, ExpandTemplate(boxes, typed));
        QVERIFY(page.find("<textarea>http://xxxx.shop.example/?a=1&amp;copy=2</textarea>") !=
                std::string::npos);
        QVERIFY(page.find("&lt;b>x&lt;/b>&lt;/textarea></textarea>") != std::string::npos);
        Click(w(), "btnPreview");
        Find<QRadioButton>(w(), "rbtClipboard")->click();
        Click(w(), "btnFinish");
        QCOMPARE(world->clipboard.last(), QString::fromStdString(page));
        QCOMPARE(world->previews.back().html, QString::fromStdString(page));
    }

    void previewOfAMissingTemplateSaysSoAndShowsNothing() {
        std::filesystem::remove(world->folder.path() / "Templates" / "basic.tem");
        Click(w(), "btnPreview");
        EXPECT_LAST_BOX(*world, Error,
                        "The selected template could not be found in the Templates folder.");
        QVERIFY(world->previews.empty());
    }

    void blankFileNameIsRefusedBeforeAnythingHappens() {
        Type(w(), "edtFilename", " \t");
        Click(w(), "btnFinish");
        EXPECT_LAST_BOX(*world, Information, "Please provide a valid output filename.");
        QVERIFY(!std::filesystem::exists(world->folder.path() / "Output"));
    }

    void spacedFileNameIsUsedAsTyped() {
        Type(w(), "edtFilename", " page.htm ");
        Click(w(), "btnFinish");
        QVERIFY(std::filesystem::exists(OutputPath(" page.htm ")));
    }

    void outputNameTakenByAFileStopsBothChoices() {
        world->folder.write("Output", "a file");
        world->clipboard << "before";
        Click(w(), "btnFinish");
        EXPECT_LAST_BOX(*world, Error,
                        "Can't create the output folder! Check the output path you provided.");
        Find<QRadioButton>(w(), "rbtClipboard")->click();
        Click(w(), "btnFinish");
        EXPECT_LAST_BOX(*world, Error,
                        "Can't create the output folder! Check the output path you provided.");
        QCOMPARE(world->clipboard, QStringList({"before"}));
    }

    void missingTemplateFileIsReportedAndNothingDelivered() {
        std::filesystem::remove(world->folder.path() / "Templates" / "basic.tem");
        Click(w(), "btnFinish");
        EXPECT_LAST_BOX(*world, Error,
                        "The selected template could not be found in the Templates folder.");
        QVERIFY(std::filesystem::is_empty(world->folder.path() / "Output"));
        Find<QRadioButton>(w(), "rbtClipboard")->click();
        Click(w(), "btnFinish");
        QVERIFY(world->clipboard.isEmpty());
    }

    void unwritableFileGoesToTheErrorReport() {
        Type(w(), "edtFilename", "no/such/folder.htm");
        Click(w(), "btnFinish");
        QCOMPARE(world->messages->boxes.size(), std::size_t(1));
        EXPECT_LAST_BOX(*world, Error,
                        "Cannot create file \"" +
                            QString::fromStdString(OutputPath("no/such/folder.htm").string()) +
                            "\". No such file or directory.");
    }

    void savedProjectLoadsBackIntoAFreshWindow() {
        EnterProject();
        Type(w(), "edtFilename", "zen.htm");
        Find<QComboBox>(w(), "cbxTemplates")->setCurrentIndex(1);
        Click(w(), "btnSave");
        window = world->OpenWindow();
        Click(w(), "btnLoad");
        QCOMPARE(Find<QLineEdit>(w(), "edtTitlePage")->text(), QString("Zen Garden"));
        QCOMPARE(Find<QLineEdit>(w(), "edtAffiliateURL")->text(),
                 QString("http://xxxx.zen.hop.clickbank.net"));
        QCOMPARE(Find<QLineEdit>(w(), "edtClickbankID")->text(), QString("joe"));
        QCOMPARE(Find<QLineEdit>(w(), "edtFilename")->text(), QString("zen.htm"));
        QCOMPARE(Find<QComboBox>(w(), "cbxTemplates")->currentText(), QString("Fancy"));
        QCOMPARE(Rows(w(), "lbxLinkPromo"), QStringList({"Buy now", "Save 50%"}));
        QCOMPARE(Rows(w(), "lbxPPCAds"), QStringList({"PPC Ad1", "PPC Ad2"}));
        QCOMPARE(Rows(w(), "lbxBanners"), QStringList({"http://img/b.gif"}));
        QCOMPARE(Rows(w(), "lbxSignatures"), QStringList({"Signature Ad1", "Signature Ad2"}));
        QCOMPARE(Rows(w(), "lbxEmails"), QStringList({"Email Ad1"}));
        QCOMPARE(Rows(w(), "lbxAutoEmail"), QStringList({"Autoresponder Ad1"}));
        QCOMPARE(Rows(w(), "lbxArticles"), QStringList({"Article1", "Article2", "Article3"}));
        QCOMPARE(Rows(w(), "lbxPopups"), QStringList({"PopUp1"}));
        Find<QListWidget>(w(), "lbxPPCAds")->setCurrentRow(0);
        QCOMPARE(Find<QPlainTextEdit>(w(), "memPPCDetails")->toPlainText(),
                 QString("Calm\none\ntwo\nthree\nwww.zen.com"));
        const std::string before = ReadAll(world->folder.path() / "settings.dat");
        Click(w(), "btnSave");
        QCOMPARE(ReadAll(world->folder.path() / "settings.dat"), before);
        QVERIFY(world->messages->boxes.empty());
    }

    void longValuesSurviveLoadingAndSaving() {
        // Longer than an edit box holds by default.
        const std::string tail(40000, 'x');
        const std::pair<const char*, const char*> boxes[] = {{"AfTitle", "edtTitlePage"},
                                                             {"AfURL", "edtAffiliateURL"},
                                                             {"AfClickBankId", "edtClickbankID"},
                                                             {"AfFileName", "edtFilename"}};
        std::string file;
        for (const auto& [tag, box] : boxes)
            file += "<%%" + std::string(tag) + "%%>" + box + tail + "<%%/" + tag + "%%>\r\n";
        world->folder.write("settings.dat", file);
        Click(w(), "btnLoad");
        for (const auto& [tag, box] : boxes)
            QCOMPARE(Find<QLineEdit>(w(), box)->text(),
                     QString(box) + QString::fromStdString(tail));
        const std::string saved = SavedSettings();
        for (const auto& [tag, box] : boxes)
            QVERIFY2(saved.find(">" + std::string(box) + tail + "<") != std::string::npos, tag);
    }

    void storedTemplateNameInOtherCaseIsShownAsStored() {
        world->folder.write("settings.dat", "<%%AfTemplate%%>FANCY<%%/AfTemplate%%>");
        Click(w(), "btnLoad");
        auto* templates = Find<QComboBox>(w(), "cbxTemplates");
        QCOMPARE(templates->currentIndex(), 1);
        QCOMPARE(templates->currentText(), QString("FANCY"));
        Click(w(), "btnSave");
        QVERIFY(ReadAll(world->folder.path() / "settings.dat").find(">FANCY<") !=
                std::string::npos);
        Type(w(), "edtFilename", "affiliatepage.htm");
        Click(w(), "btnFinish");
        QCOMPARE(ReadAll(world->folder.path() / "Output" / "affiliatepage.htm").substr(0, 9),
                 std::string("<p>fancy "));
    }

    void storedTemplateMissingFromTheCatalogueKeepsTheCurrentChoice() {
        world->folder.write("settings.dat", "<%%AfTemplate%%>Gone<%%/AfTemplate%%>");
        Find<QComboBox>(w(), "cbxTemplates")->setCurrentIndex(1);
        // The choice is a change of its own, not to be saved.
        world->messages->answers = {MessageResult::No};
        Click(w(), "btnLoad");
        QCOMPARE(Find<QComboBox>(w(), "cbxTemplates")->currentText(), QString("Fancy"));
        Click(w(), "btnSave");
        QVERIFY(ReadAll(world->folder.path() / "settings.dat").find(">Gone<") != std::string::npos);
        Type(w(), "edtFilename", "affiliatepage.htm");
        Click(w(), "btnFinish");
        QVERIFY(ReadAll(OutputPath("affiliatepage.htm")).starts_with("<p>fancy "));
    }

    void loadingAnEmptyFileNameEmptiesTheBoxAndSavingIsRefused() {
        world->folder.write("settings.dat", "<%%AfTitle%%>Only<%%/AfTitle%%>");
        Click(w(), "btnLoad");
        QCOMPARE(Find<QLineEdit>(w(), "edtFilename")->text(), QString());
        QCOMPARE(Find<QLineEdit>(w(), "edtTitlePage")->text(), QString("Only"));
        Click(w(), "btnFinish");
        EXPECT_LAST_BOX(*world, Information, "Please provide a valid output filename.");
    }

    void loadingWithoutAFileChangesNothingAndSaysSo() {
        Type(w(), "edtTitlePage", "kept");
        Click(w(), "btnLoad");
        QCOMPARE(Find<QLineEdit>(w(), "edtTitlePage")->text(), QString("kept"));
        QCOMPARE(world->messages->boxes.size(), std::size_t(1));
        QVERIFY(
            world->messages->boxes[0].text.startsWith("There is no saved default project yet."));
    }

    void settingsThatCannotBeWrittenGoToTheErrorReport() {
        std::filesystem::create_directory(world->folder.path() / "settings.dat");
        Click(w(), "btnSave");
        QCOMPARE(world->messages->boxes.size(), std::size_t(1));
        QVERIFY(world->messages->boxes[0].text.startsWith("Cannot create file \""));
        QVERIFY(world->messages->boxes[0].kind == MessageKind::Error);
        Type(w(), "edtTitlePage", "still working");
        QCOMPARE(Find<QLineEdit>(w(), "edtTitlePage")->text(), QString("still working"));
    }
};

int main(int argc, char** argv) {
    OutputSettingsTest tests;
    return RunUiTests(tests, argc, argv);
}

#include "OutputSettingsTest.moc"
