#include "platform/Process.h"
#include "support/TempFolder.h"
#include "ui/preview/PictureView.h"
#include "ui/preview/PreviewServices.h"
#include "ui/preview/WebEngineModule.h"
#include "util/AppError.h"

#include <QApplication>
#include <QImage>
#include <QTest>
#include <QWidget>

// The real preview, web engine and all, loaded from its module as the program loads it.
class PagePreviewTest : public QObject {
    Q_OBJECT

  private:
    TempFolder folder;
    QWidget owner;

    std::filesystem::path Output() const { return folder.path() / "Output"; }

    QString ShownTitle() {
        auto* view = owner.findChild<QWidget*>("webPagePreview");
        return view ? view->property("title").toString() : QString();
    }

  private slots:
    void initTestCase() {
        std::filesystem::create_directories(Output());
        QImage picture(7, 5, QImage::Format_RGB32);
        picture.fill(Qt::red);
        QVERIFY(picture.save(QString::fromStdString((Output() / "pic.png").string())));
    }

    // Run on its own, without the sandbox switch (see CMakeLists.txt).
    void refusesToStartTheEngineAsRootWithItsSandboxOn() {
        if (!platform::RunsAsAdministrator() ||
            !qEnvironmentVariableIsEmpty("QTWEBENGINE_DISABLE_SANDBOX"))
            QSKIP("needs root without the sandbox switch");
        QVERIFY_THROWS_EXCEPTION(
            AppError, ShowPagePreview(VANTOR_WEBENGINE_MODULE_FILE, &owner, "<p>x</p>", Output()));
        QVERIFY(owner.findChildren<QWidget*>().isEmpty());
        // The banner preview falls back to showing pictures itself.
        WindowServices services;
        services.programFolder = std::filesystem::path(VANTOR_WEBENGINE_MODULE_FILE).parent_path();
        ProvidePreviews(services);
        QVERIFY(dynamic_cast<PictureView*>(services.createWebView(&owner)));
    }

    void showsThePageWithItsAddressesInTheOutputFolder_data() {
        QTest::addColumn<QString>("body");
        QTest::newRow("small") << "small";
        // Under 2 MB, but three times that once percent-encoded into one address.
        QTest::newRow("encoded past the address limit") << QString(900'000, ' ');
        QTest::newRow("over 2 MB") << QString(1'200'000, QChar(0xE9));
    }
    void showsThePageWithItsAddressesInTheOutputFolder() {
        QFETCH(QString, body);
        // The page reports, once loaded, what it was given and where its picture came from.
        const QString page =
            "<!DOCTYPE html><html><head><title>loading</title></head><body>"
            "<img src=\"pic.png\"><p id=\"body\">" +
            body +
            "</p><script>window.onload = function() { document.title = [document.compatMode, "
            "document.baseURI, document.images[0].naturalWidth, "
            "document.getElementById('body').textContent.length].join(' '); };</script>"
            "</body></html>";
        ShowPagePreview(VANTOR_WEBENGINE_MODULE_FILE, &owner, page, Output());
        // Served from an address of its own (not file:), its picture found in Output/.
        const QString expected = QString("CSS1Compat vantor-preview://page/ 7 %1").arg(body.size());
        QTRY_COMPARE_WITH_TIMEOUT(ShownTitle(), expected, 60000);
        QCOMPARE(owner.findChildren<QWidget*>("frmPagePreview").size(), 1);
        QVERIFY(owner.findChild<QWidget*>("frmPagePreview")->isVisible());
        QCOMPARE(std::distance(std::filesystem::directory_iterator(Output()),
                               std::filesystem::directory_iterator()),
                 1);
    }

    void thePagesScriptsReadNoFileWhileItsPicturesShow() {
        folder.write("secret.txt", "the user's secret");
        folder.write("Output/earlier.htm", "an earlier page");
        std::filesystem::copy_file(Output() / "pic.png", folder.path() / "outside.png");
        std::filesystem::create_symlink(folder.path() / "outside.png", Output() / "link.png");
        const QString secret =
            QUrl::fromLocalFile(QString::fromStdString((folder.path() / "secret.txt").string()))
                .toString();
        // Each way a script could read a file reports what it got; the title gathers them.
        const QString page =
            "<!DOCTYPE html><html><head><title>loading</title></head><body>"
            "<img src=\"pic.png\"><iframe src=\"" +
            secret +
            "\"></iframe><script>"
            "var results = {};"
            "function report(name, result) { results[name] = result;"
            "  if (Object.keys(results).length == 5) document.title = [document.images[0]"
            "    .naturalWidth, results.xhr, results.fetch, results.frame, results.page,"
            "    results.link].join(' '); }"
            "function xhr(name, url) { try { var request = new XMLHttpRequest();"
            "  request.onload = function() { report(name, 'read:' + request.responseText); };"
            "  request.onerror = function() { report(name, 'refused'); };"
            "  request.open('GET', url); request.send(); } catch (e) { report(name, 'refused'); } }"
            "window.onload = function() {"
            "  xhr('xhr', '" +
            secret +
            "'); xhr('page', 'earlier.htm'); xhr('link', 'link.png');"
            "  fetch('" +
            secret +
            "').then(function(r) { return r.text(); }).then(function(t) {"
            "    report('fetch', 'read:' + t); }, function() { report('fetch', 'refused'); });"
            "  try { var text = document.querySelector('iframe').contentDocument.body.textContent;"
            "    report('frame', text ? 'read:' + text : 'refused'); }"
            "  catch (e) { report('frame', 'refused'); } };"
            "</script></body></html>";
        ShowPagePreview(VANTOR_WEBENGINE_MODULE_FILE, &owner, page, Output());
        // The title of the page before stays until this one has reported.
        QTRY_VERIFY_WITH_TIMEOUT(ShownTitle().contains("refused") || ShownTitle().contains("read:"),
                                 60000);
        QCOMPARE(ShownTitle(), QString("7 refused refused refused refused refused"));
    }
};

QTEST_MAIN(PagePreviewTest)

#include "PagePreviewTest.moc"
