// The updater's way from a signed update folder to a verified file, against the fixture folder.
#include "updater/UpdateSession.h"

#include "support/TestHttpServer.h"
#include "update/UpdateCheck.h"
#include "update/UpdateFixtures.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace {

const std::string Key = UpdateFixture("update-key.txt");
constexpr float RunningVersion = 1.01f;

#ifdef _WIN32
const std::string& ThisSystemsBytes = WindowsSetupBytes;
const std::string ThisSystemsFile = "affiliate-vantor-1.02-windows-x64-setup.exe";
#else
const std::string& ThisSystemsBytes = LinuxPackageBytes;
const std::string ThisSystemsFile = "affiliate-vantor_1.02_amd64.deb";
#endif

TestConnection Ok(const std::string& body) {
    return {{Reply("HTTP/1.1 200 OK", body)}};
}

// The signed fixture folder, then the file for this system as given.
std::vector<TestConnection> Folder(TestConnection file) {
    return {Ok(UpdateFixture("mainappupdate.inf")), Ok(UpdateFixture("mainappupdate.inf.minisig")),
            std::move(file)};
}

const MessagePump GoOn = [] { return true; };

std::vector<fs::path> FilesIn(const fs::path& folder) {
    std::vector<fs::path> files;
    for (const auto& entry : fs::directory_iterator(folder))
        files.push_back(entry.path().filename());
    std::sort(files.begin(), files.end());
    return files;
}

class Session : public ::testing::Test {
  protected:
    UpdateSession Start(const TestHttpServer& server, float running = RunningVersion) {
        return UpdateSession({server.Url("/live/"), running, Key});
    }
    // What the session refused, or empty.
    template <typename Call> static std::string Refusal(Call call) {
        try {
            call();
        } catch (const AppError& error) {
            return error.what();
        }
        return {};
    }
    std::vector<DownloadProgress> reports;
    ProgressReport report = [this](const DownloadProgress& progress) {
        reports.push_back(progress);
    };
};

} // namespace

TEST_F(Session, AVerifiedOfferIsDownloadedAndCheckedThenGoesWithTheSession) {
    TestHttpServer server(Folder(Ok(ThisSystemsBytes)));
    fs::path folder;
    {
        UpdateSession session = Start(server);
        folder = session.Folder();
        const UpdateOffer offer = session.FetchOffer(GoOn);
        EXPECT_EQ(offer.version, "1.02");
        EXPECT_EQ(offer.releaseNotes, "Signed updates.\nFaster pages.");
        EXPECT_EQ(offer.file.name, ThisSystemsFile);
        const fs::path file = session.Download(offer, report, GoOn);
        EXPECT_EQ(file, folder / ThisSystemsFile);
        EXPECT_EQ(ReadAll(file), ThisSystemsBytes);
        ASSERT_FALSE(reports.empty());
        EXPECT_EQ(reports.front().received, 0u);
        EXPECT_EQ(reports.back().received, ThisSystemsBytes.size());
        EXPECT_EQ(reports.back().total, ThisSystemsBytes.size());
    }
    EXPECT_FALSE(fs::exists(folder));
    const auto requests = server.Requests();
    ASSERT_EQ(requests.size(), 3u);
    EXPECT_TRUE(requests[2].starts_with("GET /live/" + ThisSystemsFile + " HTTP/1.1\r\n"));
}

TEST_F(Session, AnOldOrForeignFolderOffersNothing) {
    // A signed folder of the version installed, replayed, is refused before any file is fetched.
    TestHttpServer replayed(Folder(Ok(ThisSystemsBytes)));
    UpdateSession same = Start(replayed, ParseVersionNumber("1.02", "."));
    EXPECT_EQ(Refusal([&] { same.FetchOffer(GoOn); }),
              "The update folder offers version 1.02, which is not newer than the version "
              "installed, so nothing was installed.");
    EXPECT_EQ(replayed.Requests().size(), 2u);

    TestHttpServer otherKey(Folder(Ok(ThisSystemsBytes)));
    UpdateSession session({otherKey.Url("/live/"), RunningVersion, UpdateFixture("other-key.txt")});
    EXPECT_EQ(Refusal([&] { session.FetchOffer(GoOn); }),
              "The update could not be verified, so nothing was installed.\nThe update "
              "description was signed with the key 14F76D507D471EAB, not with this program's "
              "update key D4E4640BBBF416CE.");

    TestHttpServer unsigned_(
        {Ok(UpdateFixture("mainappupdate.inf")), {{Reply("HTTP/1.1 404 Not Found", "")}}});
    UpdateSession missing = Start(unsigned_);
    EXPECT_EQ(Refusal([&] { missing.FetchOffer(GoOn); }),
              "The update folder " + unsigned_.Url("/live/") +
                  " has no signature (mainappupdate.inf.minisig), so the update cannot be "
                  "checked and nothing was installed.");
}

TEST_F(Session, AFileOtherThanTheSignedOneLeavesNothingBehind) {
    std::string tampered = ThisSystemsBytes;
    tampered[0] ^= 1;
    TestHttpServer changed(Folder(Ok(tampered)));
    UpdateSession session = Start(changed);
    const UpdateOffer offer = session.FetchOffer(GoOn);
    EXPECT_EQ(Refusal([&] { session.Download(offer, report, GoOn); }),
              "The downloaded file is not the one that was signed, so it was deleted and nothing "
              "was installed.\nThe downloaded file \"" +
                  ThisSystemsFile +
                  "\" does not have the signed SHA-256: its bytes differ from the signed file's.");
    EXPECT_EQ(FilesIn(session.Folder()),
              (std::vector<fs::path>{"mainappupdate.inf", "mainappupdate.inf.minisig"}));

    // A longer body stops at the signed size.
    TestHttpServer longer(Folder(Ok(ThisSystemsBytes + "more")));
    UpdateSession second = Start(longer);
    const std::string why =
        Refusal([&] { second.Download(second.FetchOffer(GoOn), report, GoOn); });
    EXPECT_NE(
        why.find("the file is larger than " + std::to_string(ThisSystemsBytes.size()) + " bytes"),
        std::string::npos)
        << why;
    EXPECT_EQ(FilesIn(second.Folder()).size(), 2u);
}

TEST_F(Session, CancellingADownloadLeavesNothingBehind) {
    // Part of the file, then a server that sends no more.
    const std::string partOfIt =
        "HTTP/1.1 200 OK\r\nContent-Length: " + std::to_string(ThisSystemsBytes.size()) +
        "\r\n\r\n" + ThisSystemsBytes.substr(0, 5);
    TestHttpServer stalling(Folder({{partOfIt}, true}));
    UpdateSession session = Start(stalling);
    const UpdateOffer offer = session.FetchOffer(GoOn);
    auto someArrived = [&] {
        for (const auto& entry : fs::directory_iterator(session.Folder()))
            if (entry.path().filename().string().starts_with(".download-") && entry.file_size() > 0)
                return true;
        return false;
    };
    EXPECT_THROW(session.Download(offer, report, [&] { return !someArrived(); }),
                 DownloadCancelled);
    EXPECT_EQ(FilesIn(session.Folder()).size(), 2u);
}
