#include "updater/UpdaterArguments.h"

#include "updater/DownloadProgress.h"
#include "util/AppError.h"

#include <gtest/gtest.h>

namespace {

std::string RefusalOf(const std::vector<std::string>& arguments) {
    try {
        ReadUpdaterArguments(arguments, ".");
    } catch (const AppError& error) {
        const std::string text = error.what();
        return text.substr(0, text.find('\n'));
    }
    return {};
}

} // namespace

TEST(UpdaterArguments, ReadsWhatTheWizardPassesAndRefusesAnythingElse) {
    const std::string folder = "https://www.example.com/liveupdate/affiliate_vantor/";
    const UpdaterArguments read = ReadUpdaterArguments({folder, "1,00999999046326", "A"}, ",");
    EXPECT_EQ(read.baseUrl, folder);
    EXPECT_EQ(read.versionText, "1,00999999046326");
    EXPECT_EQ(read.runningVersion, 1.01f);
    EXPECT_TRUE(read.programFolder.empty());
    // The copy started from a temporary folder names the program folder to update.
    const UpdaterArguments copy = ReadUpdaterArguments(CopyArguments(read, "/opt/av"), ",");
    EXPECT_EQ(copy.programFolder, "/opt/av");
    EXPECT_EQ(copy.runningVersion, 1.01f);

    const std::string wrong = "The updater was started with wrong arguments: ";
    EXPECT_EQ(RefusalOf({folder, "1.01"}),
              wrong + "it takes the update folder's address, the version and the application "
                      "code.");
    EXPECT_EQ(RefusalOf({folder, "1.01", "A", "--program-folder"}), RefusalOf({folder, "1.01"}));
    EXPECT_EQ(RefusalOf({"ftp://example.com/", "1.01", "A"}),
              wrong + "\"ftp://example.com/\" is not an http or https address. Unsupported "
                      "protocol \"ftp\".");
    EXPECT_EQ(RefusalOf({"https://example.com/update", "1.01", "A"}),
              wrong + "the update folder's address \"https://example.com/update\" does not end "
                      "with \"/\".");
    // Any offer would pass for newer than these.
    EXPECT_EQ(RefusalOf({folder, "1,01", "A"}), wrong + "\"1,01\" is not a version number.");
    EXPECT_EQ(RefusalOf({folder, "1.01", "B"}),
              wrong + "\"B\" is not the code of Affiliate Vantor (\"A\").");
}

TEST(DownloadProgress, TellsSizesAndTheTimeLeftOnceTheRateIsKnown) {
    using namespace std::chrono_literals;
    const auto start = ProgressMeter::Clock::now();
    const ProgressMeter meter(10 * 1024 * 1024, start);
    EXPECT_EQ(ProgressText(meter.At(0, start + 5s)), "0.0 of 10.0 MB");
    EXPECT_EQ(ProgressText(meter.At(1024 * 1024, start + 500ms)), "1.0 of 10.0 MB");
    EXPECT_EQ(ProgressText(meter.At(4 * 1024 * 1024, start + 2s)),
              "4.0 of 10.0 MB, about 3 s left");
    EXPECT_EQ(ProgressText(meter.At(1024 * 1024, start + 10s)), "1.0 of 10.0 MB, about 2 min left");
    EXPECT_EQ(ProgressText(meter.At(10 * 1024 * 1024, start + 2s)),
              "10.0 of 10.0 MB, about 0 s left");
    const ProgressMeter small(1500, start);
    EXPECT_EQ(ProgressText(small.At(700, start + 1s)), "1 of 2 KB, about 2 s left");
}
