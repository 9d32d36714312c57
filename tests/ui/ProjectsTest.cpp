#include "WindowFixture.h"
#include "persistence/SettingsFile.h"

#include <QMenu>
#include <QMimeData>
#include <QUrl>

// Project files: saved and opened under any name, listed as recent, switched between with the
// changes of the one left settled first.
class ProjectsTest : public WindowTestCase {
    Q_OBJECT

  private:
    QWidget* w() { return window.get(); }
    fs::path Folder() { return world->folder.path(); }

    // Writes a project file whose title is Title.
    fs::path WriteProject(const std::string& name, const std::string& title) {
        TAffManager project;
        project.Title = title;
        world->folder.write(name, FormatSettings(project));
        return Folder() / name;
    }

    QString Title() { return Find<QLineEdit>(w(), "edtTitlePage")->text(); }

    // The menu's entries as the arrows open it.
    QList<QAction*> MenuEntries() {
        auto* menu = Find<QMenu>(w(), "mnuProject");
        emit menu->aboutToShow();
        QList<QAction*> entries;
        for (QAction* action : menu->actions())
            if (!action->isSeparator())
                entries << action;
        return entries;
    }

    QStringList MenuTexts() {
        QStringList texts;
        for (QAction* action : MenuEntries())
            texts << action->text();
        return texts;
    }

    void Choose(const QString& text) {
        for (QAction* action : MenuEntries())
            if (action->text() == text)
                return action->trigger();
        QFAIL(qPrintable("no menu entry " + text));
    }

    void Open(const fs::path& file) {
        world->projectFiles.push_back(file);
        Choose("Open Project...");
    }

    // Opens Other while the title of the open project has been changed, answering Answer.
    void SwitchAnswering(int answer, const fs::path& other) {
        Type(w(), "edtTitlePage", "Changed");
        world->messages->answers = {answer};
        Open(other);
        QCOMPARE(world->messages->boxes.size(), std::size_t(1));
        QVERIFY(world->messages->boxes[0].buttons == MessageButtons::SaveDontSaveCancel);
        QCOMPARE(world->messages->boxes[0].text,
                 "Do you want to save the changes to \"one.vantor\" before opening \"" +
                     QString::fromStdString(other.filename().string()) + "\"?");
    }

  private slots:
    void saveAsThenOpenRoundTripsByteForByte() {
        const std::string demo =
            ReadAll(fs::path(VANTOR_SOURCE_DIR) / "examples/demo/settings.dat");
        world->folder.write("demo.dat", demo);
        const QString brand = ShownTitle(w());
        Open(Folder() / "demo.dat");
        QCOMPARE(ShownTitle(w()), brand + " - demo.dat");

        world->projectFiles.push_back(Folder() / "copy");
        Choose("Save Project As...");
        QCOMPARE(ReadAll(Folder() / "copy.vantor"), demo);
        QCOMPARE(ShownTitle(w()), brand + " - copy.vantor");

        // "Save Configuration" now saves the open project, not settings.dat.
        Type(w(), "edtTitlePage", "Renamed");
        Click(w(), "btnSave");
        QCOMPARE(SettingsFromBytes(ReadAll(Folder() / "copy.vantor")).Title,
                 std::string("Renamed"));
        QVERIFY(!fs::exists(Folder() / "settings.dat"));

        // "Load Configuration" goes back to the default project.
        world->folder.write("settings.dat", demo);
        Click(w(), "btnLoad");
        QCOMPARE(ShownTitle(w()), brand);
        QVERIFY(world->messages->boxes.empty());
    }

    void theRecentListKeepsEightNewestFirstAndDropsWhatIsGone() {
        for (int i = 1; i <= 10; ++i)
            Open(WriteProject("p" + std::to_string(i) + ".vantor", "P" + std::to_string(i)));
        Open(Folder() / "p5.vantor");
        const QStringList expected = {
            "Open Project...", "Save Project As...", "p5.vantor", "p10.vantor", "p9.vantor",
            "p8.vantor",       "p7.vantor",          "p6.vantor", "p4.vantor",  "p3.vantor"};
        QCOMPARE(MenuTexts(), expected);
        QCOMPARE(MenuEntries()[2]->toolTip(),
                 QString::fromStdString((Folder() / "p5.vantor").string()));

        Restart();
        QCOMPARE(MenuTexts(), expected);
        Choose("p9.vantor");
        QCOMPARE(Title(), QString("P9"));
        QCOMPARE(MenuTexts()[2], QString("p9.vantor"));

        fs::remove(Folder() / "p8.vantor");
        Choose("p8.vantor");
        QCOMPARE(world->messages->boxes.size(), std::size_t(1));
        QVERIFY(world->messages->boxes[0].text.contains("p8.vantor"));
        QCOMPARE(Title(), QString("P9"));
        QVERIFY(!MenuTexts().contains("p8.vantor"));
        QCOMPARE(MenuTexts().size(), 2 + 7);
    }

    void saveAnswerWritesTheChangeThenOpens() {
        const fs::path one = WriteProject("one.vantor", "One");
        Open(one);
        SwitchAnswering(MessageResult::Yes, WriteProject("two.vantor", "Two"));
        QCOMPARE(SettingsFromBytes(ReadAll(one)).Title, std::string("Changed"));
        QCOMPARE(Title(), QString("Two"));
    }

    void dontSaveAnswerOpensAndDropsTheChange() {
        const fs::path one = WriteProject("one.vantor", "One");
        Open(one);
        SwitchAnswering(MessageResult::No, WriteProject("two.vantor", "Two"));
        QCOMPARE(SettingsFromBytes(ReadAll(one)).Title, std::string("One"));
        QCOMPARE(Title(), QString("Two"));
        // Nothing changed since: the next switch asks nothing.
        Open(one);
        QCOMPARE(world->messages->boxes.size(), std::size_t(1));
        QCOMPARE(Title(), QString("One"));
    }

    void cancelAnswerStaysWithTheChangedProject() {
        const fs::path one = WriteProject("one.vantor", "One");
        Open(one);
        const QString title = ShownTitle(w());
        SwitchAnswering(MessageResult::Cancel, WriteProject("two.vantor", "Two"));
        QCOMPARE(Title(), QString("Changed"));
        QCOMPARE(ShownTitle(w()), title + "*");
        QCOMPARE(SettingsFromBytes(ReadAll(one)).Title, std::string("One"));
    }

    void closingAsksOnlyWhileChangesAreUnsavedAndCancelKeepsTheWindow() {
        QVERIFY(w()->close());
        QVERIFY(world->messages->boxes.empty());

        Restart();
        Type(w(), "edtTitlePage", "Typed");
        QVERIFY(w()->isWindowModified());
        QCOMPARE(ShownTitle(w()), QString("Affiliate Vantor*"));
        world->messages->answers = {MessageResult::Cancel, MessageResult::No};
        QVERIFY(!w()->close());
        QVERIFY(w()->isVisible());
        QVERIFY(world->messages->boxes[0].buttons == MessageButtons::SaveDontSaveCancel);
        QCOMPARE(world->messages->boxes[0].text,
                 QString("Do you want to save the changes to the default project before closing?"));
        QVERIFY(w()->close());
        QVERIFY(!fs::exists(Folder() / "settings.dat"));

        Restart();
        Type(w(), "edtTitlePage", "Kept");
        world->messages->answers = {MessageResult::Yes};
        QVERIFY(w()->close());
        QCOMPARE(SettingsFromBytes(ReadAll(Folder() / "settings.dat")).Title, std::string("Kept"));
        QCOMPARE(world->messages->boxes.size(), std::size_t(3));
    }

    void loadConfigurationSaysWhenThereIsNoneAndAsksBeforeReplacingChanges() {
        Click(w(), "btnLoad");
        EXPECT_LAST_BOX(*world, Information,
                        "There is no saved default project yet. \"Save Configuration\" saves the "
                        "project you are working on as the default project, and \"Load "
                        "Configuration\" then loads it back.");
        WriteProject("settings.dat", "Saved");
        Type(w(), "edtTitlePage", "Typed");
        world->messages->answers = {MessageResult::Cancel};
        Click(w(), "btnLoad");
        QCOMPARE(Title(), QString("Typed"));
        QCOMPARE(world->messages->boxes.back().text,
                 QString("Do you want to save the changes to the default project before loading "
                         "its saved copy?"));
        world->messages->answers = {MessageResult::No};
        Click(w(), "btnLoad");
        QCOMPARE(Title(), QString("Saved"));
        QVERIFY(!w()->isWindowModified());
        QCOMPARE(world->messages->boxes.size(), std::size_t(3));
    }

    void saveAsAddsTheExtensionToANameWithADotAndAsksBeforeReplacing() {
        world->projectFiles.push_back(Folder() / "Spring Sale v2.5");
        Choose("Save Project As...");
        QVERIFY(fs::exists(Folder() / "Spring Sale v2.5.vantor"));
        QVERIFY(ShownTitle(w()).endsWith(" - Spring Sale v2.5.vantor"));

        Type(w(), "edtTitlePage", "Changed");
        world->projectFiles.push_back(Folder() / "Spring Sale v2.5");
        world->messages->answers = {MessageResult::Cancel};
        Choose("Save Project As...");
        EXPECT_LAST_BOX(*world, Warning,
                        "The project \"Spring Sale v2.5.vantor\" already exists. Do you want to "
                        "replace it?");
        QVERIFY(SettingsFromBytes(ReadAll(Folder() / "Spring Sale v2.5.vantor")).Title.empty());
    }

    void aDamagedProjectLoadsWhatItCanAndSaysWhatItLost() {
        TAffManager project;
        project.Title = "Half";
        project.Articles = {"lost"};
        const std::string whole = FormatSettings(project);
        world->folder.write("cut.vantor", whole.substr(0, whole.find("<%%/AfArticles%%>")));
        Open(Folder() / "cut.vantor");
        QCOMPARE(Title(), QString("Half"));
        QCOMPARE(world->messages->boxes.size(), std::size_t(1));
        QVERIFY(world->messages->boxes[0].kind == MessageKind::Warning);
        QVERIFY2(world->messages->boxes[0].text.contains(
                     "could not be read: the articles, the pop-up codes, the output file name."),
                 qPrintable(world->messages->boxes[0].text));
    }

    void aProjectGivenAsArgumentOrDroppedOpens() {
        world->projectToOpen = WriteProject("start.vantor", "Started");
        Restart();
        QTRY_COMPARE(Title(), QString("Started"));
        QVERIFY(ShownTitle(w()).endsWith(" - start.vantor"));

        const fs::path dropped = WriteProject("dropped.dat", "Dropped");
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(QString::fromStdString(dropped.string()))});
        // Dropped onto an edit box, as the desktop delivers it to the window.
        auto* edit = Find<QLineEdit>(w(), "edtTitlePage");
        const QPoint at = edit->mapTo(w(), QPoint(5, 5));
        QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(w()->windowHandle(), &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(w()->windowHandle(), &drop);
        QCOMPARE(Title(), QString("Dropped"));
        QVERIFY(ShownTitle(w()).endsWith(" - dropped.dat"));
        QVERIFY(world->messages->boxes.empty());
    }
};

int main(int argc, char** argv) {
    ProjectsTest tests;
    return RunUiTests(tests, argc, argv);
}

#include "ProjectsTest.moc"
