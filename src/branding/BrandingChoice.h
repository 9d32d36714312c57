#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

// Draws a whole number from 0 to Count - 1.
using RandomDraw = std::function<int(int count)>;

// Uniform draws from a generator seeded once from the system.
RandomDraw UniformDraw();

// What the branding file beside the program chose for one start.
struct BrandingChoice {
    // "AppName"; empty keeps the design title.
    std::string AppName;
    std::string MakeMoneyID;
    std::string BannerClickURL;
    std::string BannerImagePath;
    // The drawn banner's stored picture "dbimg<n>.dat"; empty when there is no banner or no file.
    std::filesystem::path BannerPicture;
    // The decoder of the picture: the lower-cased extension of the banner's own file name.
    std::string BannerDecoder;
    // The picture plays as an animation: its working name contains ".gif", folder included.
    bool BannerAnimated = false;
    std::string FooterURL1;
    std::string FooterName1;
    std::string FooterURL2;
    std::string FooterName2;
    std::string IconPath;
    // Empty when the file does not exist.
    std::filesystem::path IconFile;
    std::filesystem::path SkinFile;
};

// Reads "dbconfig.dat" in the program folder and draws one banner and two different footer
// links; nothing when the program folder holds no branding file.
std::optional<BrandingChoice> LoadBrandingChoice(const std::filesystem::path& programFolder,
                                                 const RandomDraw& draw);

// The text after the last backslash or colon of a path written on Windows; a forward slash is
// no separator here.
std::string FileNamePart(std::string_view path);
