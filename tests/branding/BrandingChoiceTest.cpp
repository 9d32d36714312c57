#include "branding/BrandingChoice.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>

namespace {

// Loads the brand with draws answered from a script; Counts records what each draw chose among.
std::optional<BrandingChoice> Load(const fs::path& folder, std::vector<int> answers,
                                   std::vector<int>* counts = nullptr) {
    std::vector<int> seen;
    auto choice = LoadBrandingChoice(folder, [&](int count) {
        seen.push_back(count);
        return answers.at(seen.size() - 1);
    });
    if (counts)
        *counts = seen;
    return choice;
}

} // namespace

TEST(BrandingChoice, NothingWithoutTheFileAndNoDrawsFromAnEmptyOne) {
    TempFolder folder;
    folder.write("dbskin.dat", "skin");
    EXPECT_FALSE(Load(folder.path(), {}));
    folder.write("dbconfig.dat", "[Settings]\n");
    std::vector<int> counts;
    const auto choice = Load(folder.path(), {}, &counts);
    ASSERT_TRUE(choice);
    EXPECT_TRUE(counts.empty());
    EXPECT_TRUE(choice->AppName.empty() && choice->BannerPicture.empty() &&
                choice->FooterURL1.empty() && choice->IconFile.empty());
    EXPECT_EQ(choice->SkinFile, folder.path() / "dbskin.dat");
}

TEST(BrandingChoice, TheBannerPictureFollowsThePlaceAmongTheBannersPresent) {
    TempFolder folder;
    folder.write("dbconfig.dat", "[settings]\nAppName=My Tool\nAfiliateID=joe 1\n"
                                 "BannerPath1=\nBannerURL1=http://one/\n"
                                 "BannerPath3=C:\\art\\Top.JPG\nBannerURL3=http://three/\n"
                                 "BannerPath4=x.gif\n");
    folder.write("dbimg1.dat", "picture");
    std::vector<int> counts;
    const auto choice = Load(folder.path(), {0}, &counts);
    EXPECT_EQ(counts, std::vector<int>{1});
    EXPECT_EQ(choice->AppName, "My Tool");
    EXPECT_EQ(choice->MakeMoneyID, "joe 1");
    EXPECT_EQ(choice->BannerImagePath, "C:\\art\\Top.JPG");
    EXPECT_EQ(choice->BannerClickURL, "http://three/");
    EXPECT_EQ(choice->BannerPicture, folder.path() / "dbimg1.dat");
    EXPECT_EQ(choice->BannerDecoder, "jpg");
    EXPECT_FALSE(choice->BannerAnimated);
}

TEST(BrandingChoice, AnyGifInTheWorkingNameAnimatesAndAMissingPictureKeepsTheAddress) {
    TempFolder folder;
    folder.write("dbconfig.dat", "[Settings]\nBannerPath1=a.gif\nBannerPath2=b.GIF\n"
                                 "BannerURL2=http://two/\n");
    const auto choice = Load(folder.path(), {1});
    EXPECT_TRUE(choice->BannerPicture.empty());
    EXPECT_EQ(choice->BannerClickURL, "http://two/");
    EXPECT_TRUE(choice->BannerAnimated);

    folder.write("my.gifts/dbconfig.dat", "[Settings]\nBannerPath1=C:\\art\\top.jpg\n");
    const auto inGifFolder = Load(folder.path() / "my.gifts", {0});
    EXPECT_TRUE(inGifFolder->BannerAnimated);
    EXPECT_EQ(inGifFolder->BannerDecoder, "jpg");
}

TEST(BrandingChoice, FooterLinksAreTwoDifferentEntries) {
    TempFolder folder;
    folder.write("dbconfig.dat", "[Settings]\nLink2URL=http://two/\nLink2Name=Two\n"
                                 "Link3Name=no address\n"
                                 "Link4URL=http://four/\nLink5URL=http://five/\n");
    std::vector<int> counts;
    auto choice = Load(folder.path(), {1, 0}, &counts);
    EXPECT_EQ(counts, (std::vector<int>{2, 1}));
    EXPECT_EQ(choice->FooterURL1, "http://four/");
    EXPECT_EQ(choice->FooterName1, "");
    EXPECT_EQ(choice->FooterURL2, "http://two/");
    EXPECT_EQ(choice->FooterName2, "Two");

    folder.write("dbconfig.dat", "[Settings]\nLink4URL=http://four/\n");
    choice = Load(folder.path(), {0});
    EXPECT_EQ(choice->FooterURL1, "http://four/");
    EXPECT_EQ(choice->FooterURL2, "");
}

TEST(BrandingChoice, TheIconIsTheFileNamePartFoundInAnyCase) {
    TempFolder folder;
    folder.write("logo.ico", "icon");
    folder.write("dbconfig.dat", "[Settings]\nIconPath=\"D:\\brand\\Logo.ICO\"\n");
    EXPECT_EQ(Load(folder.path(), {})->IconFile, folder.path() / "logo.ico");
    folder.write("dbconfig.dat", "[Settings]\nIconPath=D:\\brand\\missing.ico\n");
    EXPECT_TRUE(Load(folder.path(), {})->IconFile.empty());

    EXPECT_EQ(FileNamePart("C:Top.gif"), "Top.gif");
    EXPECT_EQ(FileNamePart("a\\b:c.bmp"), "c.bmp");
    EXPECT_EQ(FileNamePart("/home/me/top.gif"), "/home/me/top.gif");
}
