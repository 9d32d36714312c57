#include "WindowFixture.h"
#include "branding/SkinFile.h"
#include "ui/Addresses.h"

#include <QImage>
#include <QMovie>
#include <set>

namespace fs = std::filesystem;

class BrandWindowTest : public WindowTestCase {
    Q_OBJECT

  private:
    QLabel* Label(const char* name) { return Find<QLabel>(window.get(), name); }
    QWidget* Band() { return Find<QWidget>(window.get(), "panBanner"); }

    void WritePicture(const std::string& name, QSize size, const char* format) {
        QImage picture(size, QImage::Format_RGB32);
        picture.fill(Qt::darkGreen);
        QVERIFY(
            picture.save(QString::fromStdString((world->folder.path() / name).string()), format));
    }

    void CopyExampleBrand() {
        for (const auto& entry : fs::directory_iterator(VANTOR_SOURCE_DIR "/examples/brand"))
            if (entry.is_regular_file())
                fs::copy_file(entry.path(), world->folder.path() / entry.path().filename());
    }

    void ClickLabel(const char* name) { QTest::mouseClick(Label(name), Qt::LeftButton); }

  private slots:
    void withoutBrandingFileTheDesignStaysAndAnEmptyOneClearsTheBand() {
        const QString link = Label("lblLink1URL")->text();
        world->folder.write("dbskin.dat", PackSkin("QWidget { color: red; }"));
        const QString sheet = qApp->styleSheet();
        Restart();
        QCOMPARE(ShownTitle(window.get()), QString("Affiliate Vantor"));
        QVERIFY(Band()->isVisible());
        QCOMPARE(Label("lblLink1URL")->text(), link);
        QCOMPARE(qApp->styleSheet(), sheet);

        fs::remove(world->folder.path() / "dbskin.dat");
        world->folder.write("dbconfig.dat", "[Settings]\n");
        Restart();
        QCOMPARE(ShownTitle(window.get()), QString("Affiliate Vantor v1.01"));
        QVERIFY(Band()->isHidden());
        QCOMPARE(Label("lblLink1URL")->text() + Label("lblLink2URL")->text(), QString());
        QCOMPARE(Label("lblLink2URL")->property("URL").toString(), QString());
    }

    void aBrandSetsTitleBannerLinksSkinAndIcon() {
        world->folder.write("dbconfig.dat",
                            "[Settings]\nAppName=My Tool\nAfiliateID=joe 1\n"
                            "BannerPath2=C:\\art\\Top.JPG\nBannerURL2=http://banner/\n"
                            "Link1URL=http://one/\nLink1Name=One\n"
                            "Link3URL=http://three/\nLink3Name=Three\n"
                            "IconPath=D:\\brand\\Brand.ico\n");
        WritePicture("dbimg1.dat", {105, 31}, "JPG");
        WritePicture("brand.ico", {32, 32}, "ICO");
        const std::string sheet = "QPushButton { background: #16a34a; }";
        world->folder.write("dbskin.dat", PackSkin(sheet));
        world->draws = {0, 1, 0};
        Restart();

        QCOMPARE(ShownTitle(window.get()), QString("My Tool v1.01"));
        QCOMPARE(Band()->height(), 31 + 10);
        QVERIFY(Label("imgBanner")->isVisible() && Label("gifBanner")->isHidden());
        QCOMPARE(Label("imgBanner")->size(), QSize(105, 31));
        QCOMPARE(Label("imgBanner")->cursor().shape(), Qt::PointingHandCursor);
        QCOMPARE(Label("lblLink1URL")->text(), QString("Three"));
        QCOMPARE(Label("lblLink2URL")->property("URL").toString(), QString("http://one/"));
        QCOMPARE(qApp->styleSheet(), QString::fromStdString(sheet));
        QVERIFY(QApplication::windowIcon().availableSizes().contains(QSize(32, 32)));

        Click(window.get(), "btnMakeMoney");
        Click(window.get(), "btnHelp");
        ClickLabel("imgBanner");
        QCOMPARE(world->browsed,
                 QStringList({QString(MakeMoneyBaseURL) + "joe 1", HelpURL, "http://banner/"}));
        ClickLabel("lblLink1URL");
        ClickLabel("lblLink2URL");
        QCOMPARE(world->opened, QStringList({"http://three/", "http://one/"}));
        QVERIFY(world->messages->boxes.empty());
    }

    void theExampleBrandPlaysItsAnimatedBanner() {
        CopyExampleBrand();
        world->draws = {0, 0, 0};
        Restart();
        QCOMPARE(ShownTitle(window.get()), QString("Greenleaf Partner Studio v1.01"));
        auto* animation = Label("gifBanner")->movie();
        QVERIFY(Label("gifBanner")->isVisible() && Label("imgBanner")->isHidden());
        QVERIFY(animation && animation->frameCount() > 1);
        QCOMPARE(animation->state(), QMovie::Running);
        QCOMPARE(Band()->height(), animation->currentImage().height() + 10);
        QCOMPARE(Label("lblLink1URL")->text(), QString("Greenleaf home"));
        QCOMPARE(Label("lblLink2URL")->text(), QString("Payout calendar"));
        // The shipped skin is its style sheet, packed.
        QCOMPARE(qApp->styleSheet().toStdString(),
                 ReadAll(VANTOR_SOURCE_DIR "/examples/brand/source/greenleaf.qss"));
        QVERIFY(QApplication::windowIcon().availableSizes().contains(QSize(48, 48)));
        ClickLabel("gifBanner");
        QCOMPARE(world->browsed, QStringList({"http://www.example.com/greenleaf/spring"}));

        // The third banner has no address: an arrow, and clicks do nothing.
        world->draws = {2};
        Restart();
        QCOMPARE(Label("imgBanner")->cursor().shape(), Qt::ArrowCursor);
        ClickLabel("imgBanner");
        QCOMPARE(world->browsed.size(), 1);
    }

    void unreadablePicturesSkinAndIconAreSkipped() {
        world->folder.write("dbconfig.dat",
                            "[Settings]\nBannerPath1=top.jpg\nIconPath=brand.ico\n");
        world->folder.write("dbimg1.dat", "not a picture");
        world->folder.write("brand.ico", "not an icon");
        world->folder.write("dbskin.dat", "not a skin");
        const qint64 icon = QApplication::windowIcon().cacheKey();
        const QString sheet = qApp->styleSheet();
        Restart();
        QVERIFY(Band()->isHidden());
        QCOMPARE(qApp->styleSheet(), sheet);
        QCOMPARE(QApplication::windowIcon().cacheKey(), icon);
        QVERIFY(world->messages->boxes.empty());
        QCOMPARE(Find<QComboBox>(window.get(), "cbxTemplates")->count(), 2);
    }

    void aReadOnlyProgramFolderStillShowsItsBanner() {
        CopyExampleBrand();
        fs::permissions(world->folder.path(), fs::perms::owner_write | fs::perms::group_write,
                        fs::perm_options::remove);
        auto listing = [this] {
            std::set<fs::path> names;
            for (const auto& entry : fs::directory_iterator(world->folder.path()))
                names.insert(entry.path());
            return names;
        };
        const auto before = listing();
        Restart();
        QVERIFY(Band()->isVisible());
        // The pictures are decoded where they lie; nothing is renamed.
        QCOMPARE(listing(), before);
    }
};

int main(int argc, char** argv) {
    BrandWindowTest tests;
    return RunUiTests(tests, argc, argv);
}

#include "BrandWindowTest.moc"
