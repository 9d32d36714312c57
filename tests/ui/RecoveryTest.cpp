#include "WindowFixture.h"
#include "model/PromoItems.h"
#include "persistence/SettingsFile.h"
#include "ui/Addresses.h"

#include <QMenu>
#include <QTimer>

// The recovery copy: kept from the first change, offered back after a crash, gone after a clean
// end; settings.dat is written by "Save Configuration" alone.
class RecoveryTest : public WindowTestCase {
    Q_OBJECT

  private:
    QWidget* w() { return window.get(); }
    fs::path State() { return world->folder.path() / "state"; }

    // The recovery copies in the state folder.
    std::vector<fs::path> Copies() {
        std::vector<fs::path> copies;
        std::error_code ignored;
        for (const auto& entry : fs::directory_iterator(State(), ignored))
            if (entry.path().extension() == ".dat")
                copies.push_back(entry.path());
        return copies;
    }

    bool SettingsWritten() { return fs::exists(world->folder.path() / "settings.dat"); }

    // The window as the next start after a crash finds it.
    void StartWithState() {
        world->stateFolder = State();
        Restart();
    }

    // Waits until the window has written what changed.
    void WaitForRecoveryCopy() {
        QTRY_VERIFY_WITH_TIMEOUT(!Find<QTimer>(w(), "tmrRecovery")->isActive(), 3000);
        QTRY_VERIFY(Copies().size() == 1);
    }

    // A project as a crash leaves it: the copy and a lock that no running copy holds.
    TAffManager LeaveStaleCopy() {
        TAffManager project;
        project.Title = std::string(40000, 't') + " end";
        project.AffiliateURL = "http://zen.example/";
        project.PPCAds = {MakePPCItem("Calm", "one\r\ntwo", "www.zen.com")};
        project.Articles = {MemoItem("First line\r\n\r\n  indented third\r\nlast")};
        project.TemplateName = "fancy";
        world->folder.write("state/recovery-stale1", "");
        world->folder.write("state/recovery-stale1.dat", FormatSettings(project));
        return project;
    }

  private slots:
    void aChangeIsKeptAMomentLaterAndACleanEndRemovesIt() {
        StartWithState();
        QCoreApplication::processEvents();
        QVERIFY(Copies().empty());
        Type(w(), "edtTitlePage", "Zen Garden");
        Type(w(), "edtAffiliateURL", "http://zen.example/");
        WaitForRecoveryCopy();
        const TAffManager kept = SettingsFromBytes(ReadAll(Copies()[0]));
        QCOMPARE(kept.Title, std::string("Zen Garden"));
        QCOMPARE(kept.AffiliateURL, std::string("http://zen.example/"));

        Type(w(), "edtAchorText", "Buy now");
        Click(w(), "btnCreateLinkPromo");
        QTRY_VERIFY_WITH_TIMEOUT(SettingsFromBytes(ReadAll(Copies()[0])).Anchors.size() == 1, 3000);

        window.reset();
        QVERIFY(fs::is_empty(State()));
        QVERIFY(!SettingsWritten());
        QVERIFY(world->messages->boxes.empty());
    }

    void aStaleCopyIsOfferedAndOkRestoresItByteForByte() {
        const TAffManager project = LeaveStaleCopy();
        world->folder.write("state/crashes/crash-20991231-235959-42.txt", "Signal: SIGSEGV");
        world->messages->answers = {MessageResult::Restore};
        StartWithState();
        QTRY_COMPARE(world->messages->boxes.size(), std::size_t(1));
        const ShownBox& box = world->messages->boxes[0];
        QVERIFY(box.buttons == MessageButtons::RestoreDiscardReport);
        QVERIFY2(box.text.contains("A recovery copy of the default project was kept,\nlast changed "
                                   "on "),
                 qPrintable(box.text));
        QVERIFY2(box.text.contains(QString::fromStdString(
                     (State() / "crashes" / "crash-20991231-235959-42.txt").string())),
                 qPrintable(box.text));

        QCOMPARE(Find<QLineEdit>(w(), "edtTitlePage")->text().size(), 40004);
        QCOMPARE(Rows(w(), "lbxPPCAds"), QStringList({"PPC Ad1"}));
        QCOMPARE(Find<QComboBox>(w(), "cbxTemplates")->currentText(), QString("fancy"));
        WaitForRecoveryCopy();
        QCOMPARE(ReadAll(Copies()[0]), FormatSettings(project));
        QVERIFY(!fs::exists(State() / "recovery-stale1"));
        QVERIFY(!SettingsWritten());

        // Answered once: a clean end leaves nothing to offer.
        Restart();
        QCoreApplication::processEvents();
        QCOMPARE(world->messages->boxes.size(), std::size_t(1));
    }

    void aRestoredProjectFileSavesWhereItCameFrom() {
        StartWithState();
        TAffManager project;
        project.Title = "Zen";
        const fs::path file = world->folder.write("zen.vantor", FormatSettings(project));
        world->projectFiles.push_back(file);
        auto* menu = Find<QMenu>(w(), "mnuProject");
        emit menu->aboutToShow();
        menu->actions().front()->trigger();
        Type(w(), "edtTitlePage", "Zen, changed");
        WaitForRecoveryCopy();
        // What a kill would leave: the copy beside the project's name, and a lock nobody holds.
        const fs::path copy = Copies()[0];
        const std::string name = ReadAll(fs::path(copy).replace_extension(".project"));
        world->folder.write("state/recovery-killed1", "");
        world->folder.write("state/recovery-killed1.dat", ReadAll(copy));
        world->folder.write("state/recovery-killed1.project", name);
        world->messages->answers = {MessageResult::Restore};
        Restart();
        QTRY_COMPARE(world->messages->boxes.size(), std::size_t(1));
        QVERIFY(world->messages->boxes[0].text.contains("A recovery copy of the project "
                                                        "\"zen.vantor\" was kept"));
        // Restored changes are not saved yet.
        QVERIFY(ShownTitle(w()).endsWith(" - zen.vantor*"));
        Click(w(), "btnSave");
        QCOMPARE(SettingsFromBytes(ReadAll(file)).Title, std::string("Zen, changed"));
        QVERIFY(!SettingsWritten());
    }

    void aProjectGivenAtStartOpensOnlyOnceTheRestoreIsSettled() {
        LeaveStaleCopy();
        TAffManager given;
        given.Title = "Given";
        world->projectToOpen = world->folder.write("given.vantor", FormatSettings(given));
        world->messages->modal = true;
        world->messages->answers = {MessageResult::Restore, MessageResult::No};
        StartWithState();
        // Restored first; then opening the given project asks about the restored changes.
        QTRY_COMPARE(world->messages->boxes.size(), std::size_t(2));
        QVERIFY(world->messages->boxes[0].text.contains(
            "The project \"given.vantor\" that you are opening comes next."));
        QVERIFY(world->messages->boxes[1].buttons == MessageButtons::SaveDontSaveCancel);
        QCOMPARE(world->messages->boxes[1].text,
                 QString("Do you want to save the changes to the default project before opening "
                         "\"given.vantor\"?"));
        QTRY_COMPARE(Find<QLineEdit>(w(), "edtTitlePage")->text(), QString("Given"));
        QVERIFY(ShownTitle(w()).endsWith(" - given.vantor"));
    }

    void escapeDecidesNothingAndShowReportOpensTheReportsFolder() {
        LeaveStaleCopy();
        world->folder.write("state/crashes/crash-20991231-235959-42.txt", "Signal: SIGSEGV");
        world->messages->answers = {MessageResult::ShowReport, MessageResult::Cancel};
        StartWithState();
        QTRY_COMPARE(world->messages->boxes.size(), std::size_t(2));
        QCOMPARE(world->opened,
                 QStringList{QString::fromStdString((State() / "crashes").string())});
        QCOMPARE(world->messages->boxes[1].text, world->messages->boxes[0].text);
        QVERIFY(world->messages->boxes[0].text.contains(HelpURL));
        QVERIFY(Find<QLineEdit>(w(), "edtTitlePage")->text().isEmpty());

        // Offered again at the next start.
        world->messages->answers = {MessageResult::Restore};
        Restart();
        QTRY_COMPARE(world->messages->boxes.size(), std::size_t(3));
        QCOMPARE(Find<QLineEdit>(w(), "edtTitlePage")->text().size(), 40004);
    }

    void discardDeletesTheStaleCopy() {
        LeaveStaleCopy();
        world->messages->answers = {MessageResult::Discard};
        StartWithState();
        QTRY_COMPARE(world->messages->boxes.size(), std::size_t(1));
        QVERIFY(world->messages->boxes[0].buttons == MessageButtons::RestoreDiscard);
        // No crash report since the copy was last changed: none is named.
        QVERIFY(!world->messages->boxes[0].text.contains("crash report"));
        QVERIFY(Find<QLineEdit>(w(), "edtTitlePage")->text().isEmpty());
        QVERIFY(Copies().empty());
        QVERIFY(!fs::exists(State() / "recovery-stale1"));

        Restart();
        QCoreApplication::processEvents();
        QCOMPARE(world->messages->boxes.size(), std::size_t(1));
        QVERIFY(!SettingsWritten());
    }

    void aCopyThatCannotBeKeptIsToldOnceAtTheFirstChange() {
        fs::create_directories(State());
        fs::permissions(State(), fs::perms::all);
        StartWithState();
        QCoreApplication::processEvents();
        QVERIFY(world->messages->boxes.empty());
        Type(w(), "edtTitlePage", "Zen");
        QTRY_COMPARE_WITH_TIMEOUT(world->messages->boxes.size(), std::size_t(1), 3000);
        QVERIFY(world->messages->boxes[0].kind == MessageKind::Warning);
        QVERIFY(world->messages->boxes[0].text.contains("Other users may change what is in it."));
        Type(w(), "edtTitlePage", " Garden");
        QTRY_VERIFY_WITH_TIMEOUT(!Find<QTimer>(w(), "tmrRecovery")->isActive(), 3000);
        QCOMPARE(world->messages->boxes.size(), std::size_t(1));
        QVERIFY(Copies().empty());
    }

    void aWriteThatFailsIsToldOnceWhenItFails() {
        StartWithState();
        Type(w(), "edtTitlePage", "Zen");
        WaitForRecoveryCopy();
        // The copy's name is taken by a folder: every later write fails.
        const fs::path copy = Copies()[0];
        fs::remove(copy);
        fs::create_directory(copy);
        Type(w(), "edtTitlePage", " Garden");
        QTRY_COMPARE_WITH_TIMEOUT(world->messages->boxes.size(), std::size_t(1), 3000);
        QVERIFY(world->messages->boxes[0].text.contains("could not be written"));
        QVERIFY(world->messages->boxes[0].text.contains("Is a directory"));
        Type(w(), "edtTitlePage", " again");
        QTRY_VERIFY_WITH_TIMEOUT(!Find<QTimer>(w(), "tmrRecovery")->isActive(), 3000);
        // The second failure, had it been told, would be shown by now.
        QTest::qWait(300);
        QCOMPARE(world->messages->boxes.size(), std::size_t(1));
        fs::remove(copy);
    }
};

int main(int argc, char** argv) {
    RecoveryTest tests;
    return RunUiTests(tests, argc, argv);
}

#include "RecoveryTest.moc"
