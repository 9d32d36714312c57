#include "generator/BaseElement.h"
#include "util/files/FileUrl.h"

#include <gtest/gtest.h>

namespace {

constexpr const char* Base = "<base href=\"file:///o/\">";

std::string WithBase(std::string_view page) {
    return WithBaseElement(page, "file:///o/");
}

} // namespace

TEST(BaseElement, GoesRightAfterTheHeadTagInAnyLetterCase) {
    EXPECT_EQ(WithBase("<html><HEAD><title>t</title></HEAD>"),
              std::string("<html><HEAD>") + Base + "<title>t</title></HEAD>");
    EXPECT_EQ(WithBase("<Head lang=x data-a=\"a>b\"><p>"),
              std::string("<Head lang=x data-a=\"a>b\">") + Base + "<p>");
    // <header> is no head, nor is a head in a comment.
    EXPECT_EQ(WithBase("<html lang=en><!-- <head> --><body><header>h</header>"),
              std::string("<html lang=en>") + Base + "<!-- <head> --><body><header>h</header>");
}

TEST(BaseElement, WithoutHeadOrHtmlGoesAtTheStartBehindMarkAndDoctype) {
    EXPECT_EQ(WithBase("<p>x</p>"), std::string(Base) + "<p>x</p>");
    EXPECT_EQ(WithBase("\xEF\xBB\xBF<!DOCTYPE html>\r\n<p>"),
              std::string("\xEF\xBB\xBF<!DOCTYPE html>") + Base + "\r\n<p>");
    EXPECT_EQ(WithBase(""), Base);
}

TEST(BaseElement, KeepsACharsetThatFollowsTheHeadFirst) {
    EXPECT_EQ(WithBase("<head>\r\n<meta charset=\"utf-8\">\r\n<title>"),
              std::string("<head>\r\n<meta charset=\"utf-8\">") + Base + "\r\n<title>");
    EXPECT_EQ(WithBase("<head><meta name=viewport><meta charset=utf-8>"),
              std::string("<head>") + Base + "<meta name=viewport><meta charset=utf-8>");
}

TEST(BaseElement, APageWithABaseAddressOfItsOwnKeepsIt) {
    for (const char* page :
         {"<head><BASE HREF=\"http://x/\"></head>", "<p><base target=_top href=x>"})
        EXPECT_EQ(WithBase(page), page);
    // A base that only names a target, or one written inside a text box, sets no address.
    EXPECT_EQ(WithBase("<head><base target=_blank>"),
              std::string("<head>") + Base + "<base target=_blank>");
    EXPECT_EQ(WithBase("<head><TEXTAREA><base href=x></textarea>"),
              std::string("<head>") + Base + "<TEXTAREA><base href=x></textarea>");
}

TEST(FileUrl, EncodesEverythingButPlainNameCharacters) {
    EXPECT_EQ(FileUrlOfText("/home/zoë/my pages#1/100%/"),
              "file:///home/zo%C3%AB/my%20pages%231/100%25/");
    EXPECT_EQ(FileUrlOfText("C:/Users/Zoë/Output/"), "file:///C:/Users/Zo%C3%AB/Output/");
    EXPECT_EQ(FileUrlOfText("//server/share/a\"b"), "file://server/share/a%22b");
}

TEST(FileUrl, OfAFolderEndsWithASlash) {
    const std::filesystem::path folder = std::filesystem::temp_directory_path() / "a b" / "Output";
    const std::string url = FolderUrl(folder);
    EXPECT_TRUE(url.starts_with("file:///")) << url;
    EXPECT_TRUE(url.ends_with("/a%20b/Output/")) << url;
    EXPECT_EQ(FolderUrl(folder / ""), url);
    EXPECT_EQ(FileUrl(folder / "p.htm"), url + "p.htm");
}
