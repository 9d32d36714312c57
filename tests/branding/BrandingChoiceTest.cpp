#include "branding/BrandingChoice.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>

namespace {

// Answers the draws from a script and records how many entries each draw chose among.
struct ScriptedDraw {
    explicit ScriptedDraw(std::vector<int> script = {}) : answers(std::move(script)) {}

    std::vector<int> answers;
    std::vector<int> counts;

    TRandomDraw draw() {
        return [this](int count) {
            counts.push_back(count);
            return answers.at(counts.size() - 1);
        };
    }
};

} // namespace

TEST(BrandingChoice, NothingWithoutTheBrandingFile) {
    TempFolder folder;
    folder.write("dbskin.dat", "skin");
    folder.write("icon.ico", "icon");
    ScriptedDraw draws;
    EXPECT_FALSE(LoadBrandingChoice(folder.path(), draws.draw()));
}

TEST(BrandingChoice, AnEmptyFileChoosesNothingAndDrawsNothing) {
    TempFolder folder;
    folder.write("dbconfig.dat", "[Settings]\n");
    folder.write("dbskin.dat", "skin");
    ScriptedDraw draws;
    const auto choice = LoadBrandingChoice(folder.path(), draws.draw());
    ASSERT_TRUE(choice);
    EXPECT_EQ(choice->AppName, "");
    EXPECT_EQ(choice->MakeMoneyID, "");
    EXPECT_TRUE(choice->BannerImagePath.empty() && choice->BannerPicture.empty());
    EXPECT_TRUE(choice->FooterURL1.empty() && choice->FooterURL2.empty());
    EXPECT_TRUE(choice->IconFile.empty());
    EXPECT_EQ(choice->SkinFile, folder.path() / "dbskin.dat");
    EXPECT_TRUE(draws.counts.empty());
}

TEST(BrandingChoice, TheBannerPictureFollowsThePlaceAmongTheBannersPresent) {
    TempFolder folder;
    folder.write("dbconfig.dat", "[settings]\nAppName=My Tool\nAfiliateID=joe 1\n"
                                 "BannerPath1=\nBannerURL1=http://one/\n"
                                 "BannerPath3=C:\\art\\Top.JPG\nBannerURL3=http://three/\n"
                                 "BannerPath4=x.gif\n");
    folder.write("dbimg1.dat", "picture");
    folder.write("dbimg3.dat", "other picture");
    ScriptedDraw draws{{0}};
    const auto choice = LoadBrandingChoice(folder.path(), draws.draw());
    ASSERT_TRUE(choice);
    EXPECT_EQ(choice->AppName, "My Tool");
    EXPECT_EQ(choice->MakeMoneyID, "joe 1");
    EXPECT_EQ(draws.counts, std::vector<int>{1});
    EXPECT_EQ(choice->BannerImagePath, "C:\\art\\Top.JPG");
    EXPECT_EQ(choice->BannerClickURL, "http://three/");
    EXPECT_EQ(choice->BannerPicture, folder.path() / "dbimg1.dat");
    EXPECT_EQ(choice->BannerDecoder, "jpg");
    EXPECT_FALSE(choice->BannerAnimated);
}

TEST(BrandingChoice, AMissingStoredPictureKeepsTheClickAddress) {
    TempFolder folder;
    folder.write("dbconfig.dat", "[Settings]\nBannerPath1=a.gif\nBannerPath2=b.GIF\n"
                                 "BannerURL2=http://two/\n");
    folder.write("dbimg1.dat", "picture");
    ScriptedDraw draws{{1}};
    const auto choice = LoadBrandingChoice(folder.path(), draws.draw());
    EXPECT_EQ(draws.counts, std::vector<int>{2});
    EXPECT_TRUE(choice->BannerPicture.empty());
    EXPECT_EQ(choice->BannerClickURL, "http://two/");
    EXPECT_TRUE(choice->BannerAnimated);
    EXPECT_EQ(choice->BannerDecoder, "gif");
}

TEST(BrandingChoice, AFolderNamedLikeAGifAnimatesEveryBanner) {
    TempFolder folder;
    const std::string config = "[Settings]\nBannerPath1=C:\\art\\top.jpg\n";
    folder.write("my.gifts/dbconfig.dat", config);
    ScriptedDraw draws{{0}};
    const auto choice = LoadBrandingChoice(folder.path() / "my.gifts", draws.draw());
    EXPECT_TRUE(choice->BannerAnimated);
    EXPECT_EQ(choice->BannerDecoder, "jpg");
}

TEST(BrandingChoice, FooterLinksAreTwoDifferentEntries) {
    TempFolder folder;
    folder.write("dbconfig.dat", "[Settings]\nLink2URL=http://two/\nLink2Name=Two\n"
                                 "Link3Name=no address\n"
                                 "Link4URL=http://four/\nLink5URL=http://five/\nLink5Name=Five\n");
    ScriptedDraw draws{{1, 0}};
    auto choice = LoadBrandingChoice(folder.path(), draws.draw());
    EXPECT_EQ(draws.counts, (std::vector<int>{2, 1}));
    EXPECT_EQ(choice->FooterURL1, "http://four/");
    EXPECT_EQ(choice->FooterName1, "");
    EXPECT_EQ(choice->FooterURL2, "http://two/");
    EXPECT_EQ(choice->FooterName2, "Two");

    folder.write("dbconfig.dat", "[Settings]\nLink4URL=http://four/\nLink4Name=Four\n");
    ScriptedDraw single{{0}};
    choice = LoadBrandingChoice(folder.path(), single.draw());
    EXPECT_EQ(single.counts, std::vector<int>{1});
    EXPECT_EQ(choice->FooterName1, "Four");
    EXPECT_EQ(choice->FooterURL2, "");
}

TEST(BrandingChoice, TheIconIsFoundByItsFileNamePartInAnyCase) {
    TempFolder folder;
    folder.write("logo.ico", "icon");
    folder.write("dbconfig.dat", "[Settings]\nIconPath=\"D:\\brand\\Logo.ICO\"\n");
    ScriptedDraw draws;
    EXPECT_EQ(LoadBrandingChoice(folder.path(), draws.draw())->IconFile,
              folder.path() / "logo.ico");

    folder.write("dbconfig.dat", "[Settings]\nIconPath=D:\\brand\\missing.ico\n");
    const auto choice = LoadBrandingChoice(folder.path(), draws.draw());
    EXPECT_EQ(choice->IconPath, "D:\\brand\\missing.ico");
    EXPECT_TRUE(choice->IconFile.empty());
}

TEST(BrandingChoice, FileNamePartCutsAtTheLastBackslashOrColon) {
    EXPECT_EQ(FileNamePart("C:\\art\\Top.JPG"), "Top.JPG");
    EXPECT_EQ(FileNamePart("C:Top.gif"), "Top.gif");
    EXPECT_EQ(FileNamePart("a\\b:c.bmp"), "c.bmp");
    EXPECT_EQ(FileNamePart("/home/me/top.gif"), "/home/me/top.gif");
    EXPECT_EQ(FileNamePart("C:\\art\\"), "");
}

TEST(BrandingChoice, UniformDrawsStayInRange) {
    const TRandomDraw draw = UniformDraw();
    std::vector<int> seen(3);
    for (int i = 0; i < 300; ++i)
        ++seen.at(draw(3));
    for (int hits : seen)
        EXPECT_GT(hits, 0);
}
