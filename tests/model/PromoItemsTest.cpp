#include "model/PromoItems.h"

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
