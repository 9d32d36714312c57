#include "WindowFixture.h"
#include "support/TestHttpServer.h"
#include "support/TestTls.h"
#include "ui/UpdateChecker.h"
#include "update/UpdateCheck.h"

#include <QTimer>

namespace {

const QString NoUpdates = "I There are no new updates for this application!";
const QString LastQuestion = "I To update your software, the application will close to\n\rreplace "
                             "some files. Do you want to update now?";
const QString NoUpdater = "W The updater module is missing. Please reinstall the current version!";

// "URL/" stands for the update folder of the test's server.
const QString NoVersion = "W The update information from URL/mainappupdate.inf holds no version "
                          "number, so it cannot tell whether a newer version exists.\nPlease try "
                          "again later.";

QString Offer(const QString& version) {
    return "I There is a new update (version " + version +
           ") available for your application! Do you want to download this update now?";
}

std::string ClosedPortUrl() {
    platform::ListeningSocket listener;
    return "http://127.0.0.1:" + std::to_string(listener.Port()) + "/live/";
}

} // namespace

class UpdatesTest : public WindowTestCase {
    Q_OBJECT

  private:
    // Opens the window anew on an update folder, with the silent check at start held back.
    void OpenOn(const std::string& updateBaseURL) {
        world->updateBaseURL = updateBaseURL;
        window = world->OpenWindow();
        Find<QTimer>(window.get(), "Timer1")->stop();
    }

    // The boxes shown so far, each as its kind's letter and its text.
    QStringList Shown() const {
        QStringList shown;
        for (const auto& box : world->messages->boxes)
            shown << QString(box.kind == MessageKind::Warning ? "W " : "I ") + box.text;
        return shown;
    }

    fs::path Description() const { return world->folder.path() / "mainappupdate.inf"; }

  private slots:
    void checkUpdatesAnswersWhatTheServerOffers_data() {
        QTest::addColumn<QString>("description");
        QTest::addColumn<QList<int>>("answers");
        QTest::addColumn<bool>("withUpdater");
        QTest::addColumn<QStringList>("shown");
        const QString version = "[APPLICATION]\r\nName=Affiliate Vantor\r\nVersion=";
        QTest::newRow("equal") << version + "1.01" << QList<int>{} << true
                               << QStringList{NoUpdates};
        QTest::newRow("same in single precision")
            << version + "1.010000001" << QList<int>{} << true << QStringList{NoUpdates};
        QTest::newRow("newer in single precision")
            << version + "1.0100001" << QList<int>{MessageResult::Cancel} << true
            << QStringList{Offer("1.0100001")};
        QTest::newRow("comma on an English system")
            << version + "1,02" << QList<int>{} << true << QStringList{NoUpdates};
        QTest::newRow("empty") << version << QList<int>{} << true << QStringList{NoVersion};
        QTest::newRow("beyond single precision")
            << version + "1e39" << QList<int>{} << true << QStringList{NoUpdates};
        QTest::newRow("no version") << "[APPLICATION]\r\nName=Affiliate Vantor\r\n"
                                    << QList<int>{} << true << QStringList{NoVersion};
        QTest::newRow("an error page") << "<html><body>Not here</body></html>" << QList<int>{}
                                       << true << QStringList{NoVersion};
        QTest::newRow("updater missing") << version + "1.02" << QList<int>{MessageResult::Ok}
                                         << false << QStringList{Offer("1.02"), NoUpdater};
        QTest::newRow("cancel at the last question")
            << version + "1.02" << QList<int>{MessageResult::Ok, MessageResult::Cancel} << true
            << QStringList{Offer("1.02"), LastQuestion};
        QTest::newRow("OK on both")
            << version + " 1.02 " << QList<int>{MessageResult::Ok, MessageResult::Ok} << true
            << QStringList{Offer("1.02"), LastQuestion};
    }
    void checkUpdatesAnswersWhatTheServerOffers() {
        QFETCH(QString, description);
        QFETCH(QList<int>, answers);
        QFETCH(bool, withUpdater);
        QFETCH(QStringList, shown);
        TestHttpServer server({{{Reply("HTTP/1.1 200 OK", description.toStdString())}}});
        OpenOn(server.Url("/live/"));
        if (withUpdater)
            world->folder.write(UpdaterFileName, "");
        world->messages->answers.assign(answers.begin(), answers.end());

        Click(window.get(), "btnUpdate");
        shown.replaceInStrings("URL/", QString::fromStdString(server.Url("/live/")));
        // The check runs on a thread of its own; the window goes on meanwhile.
        QTRY_COMPARE(Shown(), shown);
        QVERIFY(server.Requests().at(0).starts_with("GET /live/mainappupdate.inf HTTP/1.1\r\n"));
        QCOMPARE(ReadAll(Description()), description.toStdString());
        const bool handedOver = QTest::currentDataTag() == QString("OK on both");
        QCOMPARE(window->isVisible(), !handedOver);
        QCOMPARE(world->started.size(), handedOver ? 1u : 0u);
        if (handedOver) {
            QCOMPARE(world->started[0].first, world->folder.path() / "Updater");
            QCOMPARE(world->started[0].second,
                     (std::vector<std::string>{server.Url("/live/"), "1.00999999046326", "A"}));
        }
    }

    void theHandOverAsksAboutUnsavedChangesFirst() {
        TestHttpServer server({{{Reply("HTTP/1.1 200 OK", "[APPLICATION]\r\nVersion=1.02\r\n")}}});
        OpenOn(server.Url("/live/"));
        world->folder.write(UpdaterFileName, "");
        Type(window.get(), "edtTitlePage", "Typed");
        world->messages->answers = {MessageResult::Ok, MessageResult::Ok, MessageResult::Cancel};
        Click(window.get(), "btnUpdate");
        QTRY_COMPARE(Shown(),
                     (QStringList{Offer("1.02"), LastQuestion,
                                  "W Do you want to save the changes to the default project "
                                  "before the program closes for the update?"}));
        QVERIFY(world->started.empty());
        QVERIFY(window->isVisible());
    }

    void theFirstStartAfterAnUpdateSaysSoOnce() {
        const fs::path note = world->configFolder / "updated-to";
        world->folder.write("config/updated-to", "0.99\n");
        window = world->OpenWindow();
        QVERIFY2(Shown().isEmpty(), "a note of another version is stale");
        QVERIFY(!fs::exists(note));

        world->folder.write("config/updated-to", std::string(AppVersionText) + "\n");
        Restart();
        QCOMPARE(Shown(), QStringList{"I Affiliate Vantor was updated to version " +
                                      QString(AppVersionText) + "."});
        QVERIFY(!fs::exists(note));
        Restart();
        QCOMPARE(Shown().size(), 1);
    }

    void noNetworkIsSilentAtStartAndAWarningOnClick() {
        const std::string base = ClosedPortUrl();
        world->updateBaseURL = base;
        window = world->OpenWindow();
        QTRY_VERIFY(!Find<QTimer>(window.get(), "Timer1")->isActive());
        QTRY_VERIFY(!window->findChild<UpdateChecker*>()->Busy());
        QVERIFY(world->messages->boxes.empty());

        Click(window.get(), "btnUpdate");
        QTRY_COMPARE(Shown(), QStringList{"W The update information could not be fetched from " +
                                          QString::fromStdString(base) +
                                          "mainappupdate.inf:\nconnection refused.\nPlease check "
                                          "your Internet connection and try again later."});
        QVERIFY(!fs::exists(Description()));
    }

    void aRefusedCertificateSaysTheCheckWasRefusedForSafetyAndWhy() {
        // The program trusts the system's store alone: the tests' own authority is unknown to it.
        TestHttpServer secure({{{Reply("HTTP/1.1 200 OK", "[APPLICATION]\r\nVersion=1.02\r\n")}}},
                              false, TlsStreams({}));
        OpenOn(secure.Url("/live/"));
        Click(window.get(), "btnUpdate");
        QTRY_COMPARE(Shown(),
                     QStringList{"W The update check was refused for safety, because the "
                                 "server's certificate issuer is unknown.\nA server whose "
                                 "certificate cannot be trusted may not be ours, so nothing "
                                 "was downloaded.\nPlease try again later."});
        QVERIFY(!fs::exists(Description()));
    }

    void closingTheWindowEndsAWaitingCheckAndTheProgram_data() {
        QTest::addColumn<bool>("secure");
        QTest::newRow("waiting for the answer") << false;
        // The server takes the connection and never answers the client's hello.
        QTest::newRow("stalled in the TLS handshake") << true;
    }
    void closingTheWindowEndsAWaitingCheckAndTheProgram() {
        QFETCH(bool, secure);
        TestHttpServer silent({{{""}, true}});
        OpenOn(secure ? "https://localhost:" + std::to_string(silent.Port()) + "/live/"
                      : silent.Url("/live/"));
        // Once the request (or the hello) is in: a second check, then the user closes the window.
        QTimer user;
        connect(&user, &QTimer::timeout, [&] {
            if (secure ? silent.Connections() == 0 : silent.Requests().empty())
                return;
            user.stop();
            Click(window.get(), "btnUpdate");
            window->close();
        });
        user.start(5);
        QTimer::singleShot(0, window.get(), [this] { Click(window.get(), "btnUpdate"); });
        QTimer hang;
        connect(&hang, &QTimer::timeout,
                [] { qFatal("the program still runs without its window"); });
        hang.start(30000);

        QCOMPARE(QApplication::exec(), 0);
        QCOMPARE(Shown(), QStringList{"I An update check is already running. Please wait until it "
                                      "has finished."});
        QVERIFY(!fs::exists(Description()));
    }
};

int main(int argc, char** argv) {
    UpdatesTest tests;
    return RunUiTests(tests, argc, argv);
}

#include "UpdatesTest.moc"
