#include "support/TempFolder.h"
#include "support/TestHttpServer.h"
#include "support/TestTls.h"
#include "ui/TextBridge.h"
#include "ui/preview/PictureView.h"
#include "ui/preview/PreviewServices.h"
#include "util/files/FileUrl.h"

#include <QApplication>
#include <QLabel>
#include <QMovie>
#include <QPushButton>
#include <QTest>
#include <QTimer>

// The previews of a build without a web engine, as the Windows build has them.
class PlainPreviewsTest : public QObject {
    Q_OBJECT

  private:
    TempFolder folder;

    QString Saved(const char* name, const std::string& bytes) {
        folder.write(name, bytes);
        return InFolder(name);
    }
    QString InFolder(const char* name) const {
        return QString::fromStdString((folder.path() / name).string());
    }

  private slots:
    void initTestCase() {
        QImage still(7, 5, QImage::Format_RGB32);
        still.fill(Qt::red);
        QVERIFY(still.save(InFolder("still.png")));
    }

    void playsPicturesFromDiskAndHandsEverythingElseToTheBrowser() {
        std::vector<std::string> opened;
        QWidget owner;
        PictureView view([&](const std::string& address) { opened.push_back(address); }, &owner);
        auto* picture = view.findChild<QLabel*>("imgBannerPicture");
        auto* note = view.findChild<QLabel*>("lblBannerNote");
        auto* open = view.findChild<QPushButton*>("btnOpenBanner");
        const auto visible = [&](QWidget* control) { return control->isVisibleTo(&view); };
        owner.show();

        view.Navigate(QUrl::fromLocalFile(
            Saved("spring.gif", ReadAll(VANTOR_SOURCE_DIR "/examples/brand/dbimg1.dat"))));
        QVERIFY(visible(picture) && picture->movie() && !visible(note));
        QCOMPARE(picture->movie()->currentImage().size(), QSize(468, 60));

        // A picture after an animation shows alone, and a page after it leaves no picture behind.
        view.Navigate(QUrl::fromLocalFile(InFolder("still.png")));
        QVERIFY(!picture->movie() && picture->pixmap().size() == QSize(7, 5));

        for (const char* address : {"ftp://banners.example/b.gif", "http://www.youtube.com/v/x"}) {
            view.Navigate(QUrl(address));
            QVERIFY(visible(note) && !visible(picture) && note->text().contains(address));
            QTest::mouseClick(open, Qt::LeftButton);
            QCOMPARE(opened.back(), address);
        }
        // A file that is no picture is not a blank preview either.
        view.Navigate(QUrl::fromLocalFile(Saved("notes.txt", "hello")));
        QVERIFY(visible(note));
    }

    void fetchesPicturesOverHttpAndShowsTheNewestAddressAsked() {
        const std::string gif = ReadAll(VANTOR_SOURCE_DIR "/examples/brand/dbimg1.dat");
        TestHttpServer server({{{Reply("HTTP/1.1 200 OK", gif)}},
                               {{Reply("HTTP/1.1 200 OK", "<html>a page</html>")}},
                               {{Reply("HTTP/1.1 200 OK", gif)}, false, true},
                               {{""}, true}});
        QWidget owner;
        PictureView view([](const std::string&) {}, &owner);
        auto* picture = view.findChild<QLabel*>("imgBannerPicture");
        auto* note = view.findChild<QLabel*>("lblBannerNote");
        owner.show();

        // Fetched on a thread of its own: the window goes on meanwhile.
        view.Navigate(QUrl(QString::fromStdString(server.Url("/spring.gif"))));
        QVERIFY(note->text().startsWith("Loading "));
        QTRY_VERIFY(picture->isVisibleTo(&view) && picture->movie());
        QCOMPARE(picture->movie()->currentImage().size(), QSize(468, 60));
        view.Navigate(QUrl(QString::fromStdString(server.Url("/page.htm"))));
        QTRY_VERIFY(note->isVisibleTo(&view) && note->text().startsWith("This banner cannot"));
        QVERIFY(!picture->movie());

        // A slow picture gives way to the address asked for while it loads.
        const QString still = InFolder("still.png");
        QTimer::singleShot(50, &view, [&] { view.Navigate(QUrl::fromLocalFile(still)); });
        view.Navigate(QUrl(QString::fromStdString(server.Url("/slow.gif"))));
        QTRY_VERIFY(picture->isVisibleTo(&view) && !picture->movie());
        QCOMPARE(picture->pixmap().size(), QSize(7, 5));

        // Closing the window stops a picture that the server never sends, so that the address
        // asked for meanwhile shows as soon as the window is back.
        QTimer::singleShot(50, &owner, [&] { owner.close(); });
        view.Navigate(QUrl(QString::fromStdString(server.Url("/stalled.gif"))));
        QVERIFY(note->isVisibleTo(&view));
        QTRY_VERIFY(!view.isVisible());
        view.Navigate(QUrl::fromLocalFile(still));
        owner.show();
        QTRY_VERIFY(picture->isVisibleTo(&view) && picture->pixmap().size() == QSize(7, 5));
    }

    void fetchesPicturesOverHttpsFromAServerItTrusts() {
        const std::string gif = ReadAll(VANTOR_SOURCE_DIR "/examples/brand/dbimg1.dat");
        TestHttpServer server({{{Reply("HTTP/1.1 200 OK", gif)}}}, true, TlsStreams({}));
        const QUrl address(QString::fromStdString(server.Url("/spring.gif")));
        QWidget owner;
        PictureView trusting([](const std::string&) {}, &owner, {TestRootPem()});
        PictureView program([](const std::string&) {}, &owner);
        owner.show();
        trusting.Navigate(address);
        QTRY_VERIFY(trusting.findChild<QLabel*>("imgBannerPicture")->movie());
        // The program's own view trusts only the system's store.
        program.Navigate(address);
        QTRY_VERIFY(program.findChild<QLabel*>("lblBannerNote")->text().startsWith("This banner"));
    }

    void opensACopyOfThePageInTheBrowserUntilTheServicesGo() {
        std::vector<std::string> opened;
        auto services = std::make_unique<WindowServices>();
        services->openInBrowser = [&](const std::string& address) { opened.push_back(address); };
        ProvidePreviews(*services);
        const auto output = folder.path() / "Output dir";
        services->showPreview(nullptr, "<html><head>\n<title>Zen</title>", output);
        services->showPreview(nullptr, "<p>Second</p>", output);
        QCOMPARE(opened.size(), std::size_t(2));
        const auto copy = [&](std::size_t i) {
            return ToPath(QUrl(QString::fromStdString(opened[i])).toLocalFile());
        };
        const std::string base = "<base href=\"" + FolderUrl(output) + "\">";
        // The browser may still be reading the first copy while the second is made.
        QCOMPARE(ReadAll(copy(0)), "<html><head>" + base + "\r\n<title>Zen</title>\r\n");
        QCOMPARE(ReadAll(copy(1)), base + "<p>Second</p>\r\n");
        services.reset();
        QVERIFY(!std::filesystem::exists(copy(0)) && !std::filesystem::exists(copy(1)));
    }
};

QTEST_MAIN(PlainPreviewsTest)
#include "PlainPreviewsTest.moc"
