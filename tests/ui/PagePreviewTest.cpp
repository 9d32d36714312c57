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
        const QString expected =
            QString("CSS1Compat %1 7 %2")
                .arg(
                    QUrl::fromLocalFile(QString::fromStdString(Output().string() + "/")).toString())
                .arg(body.size());
        QTRY_COMPARE_WITH_TIMEOUT(ShownTitle(), expected, 60000);
        QCOMPARE(owner.findChildren<QWidget*>("frmPagePreview").size(), 1);
        QVERIFY(owner.findChild<QWidget*>("frmPagePreview")->isVisible());
        QCOMPARE(std::distance(std::filesystem::directory_iterator(Output()),
                               std::filesystem::directory_iterator()),
                 1);
    }
};

QTEST_MAIN(PagePreviewTest)

#include "PagePreviewTest.moc"
