#include "updater/ui/UpdaterWindow.h"

#include "WindowFixture.h"
#include "support/TestHttpServer.h"
#include "update/UpdateFixtures.h"
#include "update/UpdateNotice.h"
#include "util/policies/UserDataFolders.h"

#include <QProgressBar>

namespace {

const std::string PageURL = "https://www.example.com/download/";

TestConnection Ok(const std::string& body) {
    return {{Reply("HTTP/1.1 200 OK", body)}};
}

} // namespace

class UpdaterWindowTest : public QObject {
    Q_OBJECT

  private:
    // A window on the fixture folder served with Package as the Linux file, for a copy that the
    // package installed.
    std::unique_ptr<UpdaterWindow> OpenOn(const std::string& package, std::string key) {
        server = std::make_unique<TestHttpServer>(std::vector<TestConnection>{
            Ok(UpdateFixture("mainappupdate.inf")), Ok(UpdateFixture("mainappupdate.inf.minisig")),
            Ok(package)});
        program = std::make_unique<TempFolder>();
        program->write(InstalledCopyMarker, "");
        fs::permissions(program->path(), fs::perms::owner_write, fs::perm_options::remove);
        UpdaterServices services;
        services.messages = messages;
        services.openInBrowser = [this](const std::string& address) { opened.push_back(address); };
        services.startProgram = [this](const fs::path& started) {
            this->started.push_back(started);
            return true;
        };
        // Stands in for pkexec: asks no password and installs nothing.
        services.installer.pkexec = "true";
        services.publicKey = std::move(key);
        services.downloadPageURL = PageURL;
        services.programFolder = program->path();
        services.configFolder = program->path() / "config";
        auto window = std::make_unique<UpdaterWindow>(
            UpdaterArguments{server->Url("/live/"), "1.00999999046326", 1.01f, {}},
            std::move(services));
        window->show();
        return window;
    }

    template <typename Widget> static Widget* Find(QWidget* window, const char* name) {
        return window->findChild<Widget*>(name);
    }

    std::shared_ptr<RecordingPresenter> messages;
    std::unique_ptr<TestHttpServer> server;
    std::unique_ptr<TempFolder> program;
    std::vector<std::string> opened;
    std::vector<fs::path> started;

  private slots:
    void init() {
        messages = std::make_shared<RecordingPresenter>();
        opened.clear();
        started.clear();
    }

    void withoutAKeyOnlyTheDownloadPageIsOffered() {
        auto window = OpenOn(LinuxPackageBytes, "");
        QCOMPARE(Find<QLabel>(window.get(), "lblHeadline")->text(),
                 "A newer version of Affiliate Vantor is available");
        QVERIFY(Find<QLabel>(window.get(), "lblDetails")->text().contains("without an update key"));
        QVERIFY(!Find<QPushButton>(window.get(), "btnInstall")->isVisible());
        QTest::mouseClick(Find<QPushButton>(window.get(), "btnDownloadPage"), Qt::LeftButton);
        QCOMPARE(opened, std::vector<std::string>{PageURL});
        QVERIFY(!window->isVisible());
        QVERIFY(server->Requests().empty());
    }

    void theVerifiedUpdateIsInstalledAndTheNewVersionStarted() {
        auto window = OpenOn(LinuxPackageBytes, UpdateFixture("update-key.txt"));
        QTRY_COMPARE(Find<QLabel>(window.get(), "lblHeadline")->text(),
                     "Affiliate Vantor 1.02 is available");
        QCOMPARE(Find<QPlainTextEdit>(window.get(), "memNotes")->toPlainText(),
                 "Signed updates.\nFaster pages.");
        QTest::mouseClick(Find<QPushButton>(window.get(), "btnInstall"), Qt::LeftButton);
        QTRY_VERIFY(!window->isVisible());
        QCOMPARE(started, std::vector<fs::path>{program->path() / "affiliate-vantor"});
        QCOMPARE(TakeUpdatedVersion(program->path() / "config"),
                 std::optional<std::string>("1.02"));
        QVERIFY(messages->boxes.empty());
        QCOMPARE(Find<QProgressBar>(window.get(), "barProgress")->value(), 1000);
    }

    void aFileOtherThanTheSignedOneIsNotInstalled() {
        auto window = OpenOn("linux Package\n", UpdateFixture("update-key.txt"));
        QTRY_VERIFY(Find<QPushButton>(window.get(), "btnInstall")->isVisible());
        QTest::mouseClick(Find<QPushButton>(window.get(), "btnInstall"), Qt::LeftButton);
        QTRY_VERIFY(!window->isVisible());
        QVERIFY(started.empty());
        QCOMPARE(messages->boxes.size(), std::size_t(1));
        QVERIFY(messages->boxes[0].text.startsWith(
            "The downloaded file is not the one that was signed, so it was deleted"));
    }
};

QTEST_MAIN(UpdaterWindowTest)
#include "UpdaterWindowTest.moc"
