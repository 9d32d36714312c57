// The Linux hand-over: a package built and signed as a shipper does, downloaded, verified and
// given to stand-ins for pkexec and apt-get that record what they are asked to do.
#include "platform/Process.h"
#include "support/ChildProcess.h"
#include "support/RunQuietly.h"
#include "support/TempFolder.h"
#include "support/TestHttpServer.h"
#include "update/Sha256File.h"
#include "update/SignedUpdate.h"
#include "updater/SystemInstall.h"
#include "updater/UpdateRoute.h"
#include "updater/UpdateSession.h"
#include "util/policies/UserDataFolders.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

const std::string PackageName = "affiliate-vantor_1.02_amd64.deb";

// An update folder holding a package of the program, built by dpkg-deb, and signed with a key
// made for it by minisign; what the server serves.
struct SignedFolder {
    std::string publicKey;
    std::string description;
    std::string signature;
    std::string package;
};

SignedFolder MakeSignedFolder(const TempFolder& work) {
    work.write("package/DEBIAN/control", "Package: affiliate-vantor\nVersion: 1.02\n"
                                         "Architecture: amd64\nMaintainer: Test <t@example.com>\n"
                                         "Description: the program, for the updater's test\n");
    work.write("package/opt/affiliate-vantor/installed-copy", "installed by the package\n");
    EXPECT_EQ(RunQuietly(work.path(),
                         {"dpkg-deb", "--root-owner-group", "--build", "package", PackageName}),
              0);
    EXPECT_EQ(
        RunQuietly(work.path(), {VANTOR_MINISIGN, "-G", "-W", "-p", "key.pub", "-s", "key.key"}),
        0);
    const FileDigest digest = Sha256OfFile(work.path() / PackageName);
    work.write(
        "mainappupdate.inf",
        "[APPLICATION]\nName=Affiliate Vantor\nVersion=1.02\n\n[LINUX]\nPackage=" + PackageName +
            "\nSize=" + std::to_string(digest.size) + "\nSHA256=" + digest.sha256 + "\n");
    EXPECT_EQ(RunQuietly(work.path(),
                         {VANTOR_MINISIGN, "-S", "-s", "key.key", "-m", "mainappupdate.inf"}),
              0);
    const std::string key = ReadAll(work.path() / "key.pub");
    return {key.substr(key.find('\n') + 1, 56), ReadAll(work.path() / "mainappupdate.inf"),
            ReadAll(work.path() / UpdateSignatureFileName), ReadAll(work.path() / PackageName)};
}

fs::path WriteScript(const TempFolder& folder, const std::string& name, const std::string& body) {
    const fs::path script = folder.write(name, "#!/bin/sh\n" + body);
    fs::permissions(script, fs::perms::owner_all | fs::perms::group_exec | fs::perms::others_exec);
    return script;
}

// A pkexec that records its arguments and runs them, or ends with Status without running them;
// an apt-get that records its arguments, keeps a copy of the package and ends with Status.
InstallerPrograms StandIns(const TempFolder& folder, int pkexecStatus = 0, int aptStatus = 0) {
    const std::string record = folder.path().string();
    InstallerPrograms programs;
    programs.pkexec = WriteScript(
        folder, "pkexec",
        "printf '%s\\n' \"$@\" >'" + record + "/pkexec-arguments'\n" +
            (pkexecStatus ? "exit " + std::to_string(pkexecStatus) : std::string("exec \"$@\"")) +
            "\n");
    programs.aptGet =
        WriteScript(folder, "apt-get",
                    "printf '%s\\n' \"$@\" >'" + record +
                        "/apt-get-arguments'\nfor last; do :; done\ncp \"$last\" '" + record +
                        "/installed.deb'\nexit " + std::to_string(aptStatus) + "\n");
    return programs;
}

std::string InstallFailure(const fs::path& file, const InstallerPrograms& programs) {
    try {
        InstallUpdateFile(file, programs);
    } catch (const AppError& error) {
        return error.what();
    }
    return {};
}

} // namespace

TEST(DebianHandOver, TheVerifiedPackageGoesToAptGetBehindThePasswordPrompt) {
    TempFolder work, tools;
    const SignedFolder signedFolder = MakeSignedFolder(work);
    auto ok = [](const std::string& body) {
        return TestConnection{{Reply("HTTP/1.1 200 OK", body)}};
    };
    TestHttpServer server(
        {ok(signedFolder.description), ok(signedFolder.signature), ok(signedFolder.package)});
    const InstallerPrograms programs = StandIns(tools);
    fs::path folder;
    {
        UpdateSession session({server.Url("/"), 1.01f, signedFolder.publicKey});
        folder = session.Folder();
        const UpdateOffer offer = session.FetchOffer([] { return true; });
        const fs::path package = session.Download(
            offer, [](const DownloadProgress&) {}, [] { return true; });
        InstallUpdateFile(package, programs);
        EXPECT_EQ(ReadAll(tools.path() / "pkexec-arguments"),
                  programs.aptGet + "\ninstall\n-y\n" + package.string() + "\n");
        EXPECT_EQ(ReadAll(tools.path() / "apt-get-arguments"),
                  "install\n-y\n" + package.string() + "\n");
    }
    EXPECT_FALSE(fs::exists(folder));
    const auto control = platform::ReadProgramOutput(
        "dpkg-deb", {"--info", (tools.path() / "installed.deb").string(), "control"}, 10'000);
    ASSERT_TRUE(control);
    EXPECT_TRUE(control->starts_with("Package: affiliate-vantor\nVersion: 1.02\n")) << *control;
}

TEST(DebianHandOver, ARefusalOrFailureIsSaidAndWithoutPkexecTheCommandToRun) {
    TempFolder tools;
    const fs::path package = tools.write("my update/it's.deb", "package");
    EXPECT_EQ(InstallFailure(package, StandIns(tools, 126)),
              "The password prompt was closed, so the update was not installed.\nThe installed "
              "version stays as it was.");
    EXPECT_FALSE(fs::exists(tools.path() / "apt-get-arguments"));
    EXPECT_EQ(InstallFailure(package, StandIns(tools, 0, 100)),
              "The package tool (apt-get) failed with status 100, so the update was not "
              "installed.");

    InstallerPrograms noPrompt = StandIns(tools);
    noPrompt.pkexec = "no-such-pkexec-of-affiliate-vantor";
    try {
        InstallUpdateFile(package, noPrompt);
        FAIL() << "installed without a password prompt";
    } catch (const InstallByHand& byHand) {
        const std::string text = byHand.what();
        EXPECT_TRUE(text.ends_with("\n\nsudo apt-get install '" + tools.path().string() +
                                   "/my update/it'\\''s.deb'"))
            << text;
    }
}

TEST(UpdateRoute, InstallsOnlyWithAKeyIntoTheCopyThePackagePutInPlace) {
    TempFolder program;
    const std::string key = "RWSrHkd9UG33FK9RXrqbrutWYXXjx6bmdAfA9IaYWo2AQokckLSfFNmD";
    EXPECT_EQ(ChooseUpdateRoute(program.path(), "").reason,
              "This copy of Affiliate Vantor was built without an update key, so it cannot check "
              "that an update comes from its maker.\nPlease download the new version from the "
              "download page.");
    const UpdateRoute copied = ChooseUpdateRoute(program.path(), key);
    EXPECT_FALSE(copied.install);
    EXPECT_EQ(copied.reason, "This copy of Affiliate Vantor was not installed by its package, so "
                             "the updater cannot replace it.\nPlease download the new version "
                             "from the download page.");

    program.write(InstalledCopyMarker, "");
    // A copy of the package's folder that its user may change is not the package's.
    auto asUser = [&] {
        if (InstalledBySystemInstaller(program.path()))
            return 1;
        fs::permissions(program.path(), fs::perms::owner_write, fs::perm_options::remove);
        return ChooseUpdateRoute(program.path(), key).install ? 0 : 2;
    };
    if (geteuid() != 0) {
        EXPECT_EQ(asUser(), 0);
        return;
    }
    EXPECT_TRUE(ChooseUpdateRoute(program.path(), key).install);
    EXPECT_EQ(RunInChild([&] { return BecomeOrdinaryUser(program.path()) ? asUser() : 3; }),
              "exit 0");
}
