#include "model/PromoItems.h"

#include "support/TempFolder.h"
#include "util/files/FileUrl.h"

#include <gtest/gtest.h>

TEST(PromoItems, MemoItemsDropOneFinalBreakAndUnpackTypedDollars) {
    EXPECT_EQ(MemoItem("\r\n"), "");
    EXPECT_EQ(MemoItem("a\r\n\r\n"), "a$$");
    EXPECT_EQ(UnpackedItem(MemoItem("Price: $$5\r\nnow")), "Price: \r\n5\r\nnow");
}

TEST(PromoItems, PPCRecordKeepsFieldsAsTypedAndSplitsBack) {
    EXPECT_EQ(MakePPCItem("T", "", ""), "^T^^^");
    EXPECT_EQ(MakePPCItem("T", "b1\r\nb2\r\n", "L"), "^T^b1$$b2^L^");
    PPCFields fields = PPCItemFields("^T^b1$$b2^L^");
    EXPECT_EQ(fields.title, "T");
    EXPECT_EQ(fields.body, "b1\r\nb2");
    EXPECT_EQ(fields.link, "L");

    fields = PPCItemFields(MakePPCItem("a^b", "body", "link"));
    EXPECT_EQ(fields.title, "a");
    EXPECT_EQ(fields.body, "b");
    EXPECT_EQ(fields.link, "body");

    fields = PPCItemFields("^cut short");
    EXPECT_EQ(fields.title, "cut short");
    EXPECT_EQ(fields.body, "");
    EXPECT_EQ(fields.link, "");
}

TEST(PromoItems, PicturePathsBecomeFileUrls) {
    EXPECT_EQ(FileUrlOfPicture("C:\\Pics\\Banner 1.gif"), "file://C:/Pics/Banner 1.gif");
    EXPECT_EQ(FileUrlOfPicture("C:/Pics/b.gif"), "file://C://Pics/b.gif");
    EXPECT_EQ(FileUrlOfPicture("/home/ann/b.gif"), "file:///home/ann/b.gif");
    EXPECT_EQ(RowLabel("PPC Ad", 3), "PPC Ad3");
}

TEST(PromoItems, PicturesOnThisComputerAreToldFromAddresses) {
    TempFolder folder;
    const std::string picture = folder.write("b 1.gif", "GIF89a").string();
    for (const std::string& local :
         {picture, std::string("C:\\Pics\\b.gif"), std::string("d:/b.gif"),
          std::string("\\\\server\\b.gif"), std::string("FILE:///home/ann/b.gif")})
        EXPECT_TRUE(IsPictureOnThisComputer(local)) << local;
    // A path from the root of the page's own site, and one that keeps the page's scheme.
    for (const char* online :
         {"/images/none.gif", "//cdn.example/b.gif", "https://x/b.gif", "images/b.gif", "c:b.gif"})
        EXPECT_FALSE(IsPictureOnThisComputer(online)) << online;

    EXPECT_EQ(BannerPreviewAddress(picture), FileUrl(picture));
    EXPECT_EQ(BannerPreviewAddress("\\\\server\\b 1.gif"), "file://server/b%201.gif");
    EXPECT_EQ(BannerPreviewAddress("http://x/b.gif"), "http://x/b.gif");
    EXPECT_EQ(BannerPreviewAddress("/images/none.gif"), "/images/none.gif");
}
