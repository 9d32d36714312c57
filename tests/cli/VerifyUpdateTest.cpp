#include "cli/CliRun.h"
#include "cli/VerifyUpdateCommand.h"
#include "support/TestHttpServer.h"
#include "update/UpdateFixtures.h"

namespace {

const std::string Key = UpdateFixture("update-key.txt");
const std::string SetupName = "affiliate-vantor-1.02-windows-x64-setup.exe";
const std::string PackageName = "affiliate-vantor_1.02_amd64.deb";

TestConnection Ok(const std::string& body) {
    return {{Reply("HTTP/1.1 200 OK", body)}};
}

TestConnection NotFound() {
    return {{Reply("HTTP/1.1 404 Not Found", "")}};
}

// The signed fixture folder, then the two files it names as given.
std::vector<TestConnection> Folder(TestConnection setup, TestConnection package) {
    return {Ok(UpdateFixture("mainappupdate.inf")), Ok(UpdateFixture("mainappupdate.inf.minisig")),
            std::move(setup), std::move(package)};
}

CliResult Verify(const TestHttpServer& server, std::string_view key = Key) {
    std::ostringstream out, err;
    CliStatus status = VerifyUpdateFolder(server.Url("/live/"), key, {out, err, false});
    return {status, out.str(), err.str()};
}

std::string Lines(std::initializer_list<std::string> lines) {
    std::string text;
    for (const auto& line : lines)
        text += line + "\n";
    return text;
}

} // namespace

TEST(CliVerifyUpdate, ChecksTheSignatureThenEveryFile) {
    TestHttpServer server(Folder(Ok(WindowsSetupBytes), Ok(LinuxPackageBytes)));
    const CliResult result = Verify(server);
    EXPECT_EQ(result.status, CliStatus::Success);
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(
        result.out,
        Lines({"signature: valid, key 14F76D507D471EAB, trusted comment \"fixture, prehashed\"",
               "version: 1.02", "release notes: 2 lines",
               "WINDOWS " + SetupName + ": 15 bytes, SHA-256 as signed",
               "LINUX " + PackageName + ": 14 bytes, SHA-256 as signed",
               "the update folder " + server.Url("/live/") + " is ready"}));
    const auto requests = server.Requests();
    const std::string names[] = {"mainappupdate.inf", "mainappupdate.inf.minisig", SetupName,
                                 PackageName};
    ASSERT_EQ(requests.size(), 4u);
    for (std::size_t i = 0; i < 4; ++i)
        EXPECT_TRUE(requests[i].starts_with("GET /live/" + names[i] + " HTTP/1.1\r\n"))
            << requests[i];
}

TEST(CliVerifyUpdate, EachFailureHasItsLineAndFailsTheCheck) {
    std::string changed = WindowsSetupBytes;
    changed[0] = 'W';
    TestHttpServer wrongFiles(Folder(Ok(changed), Ok(LinuxPackageBytes + "!")));
    auto result = Verify(wrongFiles);
    EXPECT_EQ(result.status, CliStatus::NotVerified);
    EXPECT_EQ(result.err,
              Lines({"WINDOWS " + SetupName + ": the downloaded file \"" + SetupName +
                         "\" does not have the signed SHA-256: its bytes differ from the signed "
                         "file's",
                     "LINUX " + PackageName + ": could not fetch " +
                         wrongFiles.Url("/live/" + PackageName) +
                         ": the file is larger than 14 bytes, the most this download takes",
                     "the update folder " + wrongFiles.Url("/live/") +
                         " is not ready: 2 of 2 files failed"}));

    // No file is fetched for a signature that does not verify, or that is not there.
    TestHttpServer otherKey(Folder(Ok(WindowsSetupBytes), Ok(LinuxPackageBytes)));
    result = Verify(otherKey, UpdateFixture("other-key.txt"));
    EXPECT_EQ(result.status, CliStatus::NotVerified);
    EXPECT_EQ(result.err,
              "not verified: the update description was signed with the key "
              "14F76D507D471EAB, not with this program's update key D4E4640BBBF416CE\n");
    EXPECT_EQ(otherKey.Requests().size(), 2u);
    TestHttpServer notSigned({Ok(UpdateFixture("mainappupdate.inf")), NotFound()});
    result = Verify(notSigned);
    EXPECT_EQ(result.status, CliStatus::NotFetched);
    EXPECT_EQ(result.err, "could not fetch " + notSigned.Url("/live/mainappupdate.inf.minisig") +
                              ": 404 Not Found\n");

    TestHttpServer untouched(Folder(Ok(WindowsSetupBytes), Ok(LinuxPackageBytes)));
    result = Verify(untouched, "");
    EXPECT_EQ(result.status, CliStatus::NotVerified);
    EXPECT_EQ(result.err, "this build has no update key (VANTOR_UPDATE_PUBLIC_KEY), so it cannot "
                          "check an update folder's signature\n");
    EXPECT_TRUE(untouched.Requests().empty());

    EXPECT_NE(RunTool({"--help"}).out.find("check-update --verify [--url BASE]"),
              std::string::npos);
    EXPECT_EQ(RunTool({"check-update", "--verify", "--app-dir", "."}).status, CliStatus::BadInput);
}
