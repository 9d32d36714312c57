#include "cli/CliRun.h"
#include "support/TestHttpServer.h"
#include "support/TestTls.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>

namespace {

const char* const SectionAnchors[] = {"affiliatelink", "linktext", "emailcopy",
                                      "sig",           "pops",     "banners",
                                      "articles",      "ppcads",   "autoemailcopy"};

} // namespace

TEST_F(CliProgramFolder, EveryShippedTemplateMakesAWholePageFromTheDemo) {
    auto listed = RunTool({"templates", "--app-dir", dir()});
    ASSERT_EQ(listed.status, CliStatus::Success);
    std::istringstream names(listed.out);
    int count = 0;
    for (std::string name; std::getline(names, name); ++count) {
        SCOPED_TRACE(name);
        auto page = RunTool({"generate", "--app-dir", dir(), "--template", name, "--stdout"});
        ASSERT_EQ(page.status, CliStatus::Success) << page.err;
        EXPECT_EQ(page.out.find("%%"), std::string::npos) << "a placeholder was left";
        for (auto anchor : SectionAnchors) {
            EXPECT_NE(page.out.find(std::string("href=\"#") + anchor), std::string::npos) << anchor;
            EXPECT_NE(page.out.find(std::string("id=\"") + anchor + "\""), std::string::npos)
                << anchor;
        }
        for (auto piece :
             {"class=\"style17\"", "PPC Ad with", "banner-468x60", "?e=", "Subject: ", "</html>"})
            EXPECT_NE(page.out.find(piece), std::string::npos) << piece;
    }
    EXPECT_GE(count, 3);
}

TEST_F(CliProgramFolder, GenerateWritesIntoOutputUnderTheStoredOrGivenName) {
    auto saved = RunTool({"generate", "--app-dir", dir()});
    ASSERT_EQ(saved.status, CliStatus::Success) << saved.err;
    const fs::path file = app.path() / "Output" / "demo-page.htm";
    EXPECT_EQ(saved.out, file.string() + "\n");
    const std::string bytes = ReadAll(file);
    EXPECT_TRUE(bytes.ends_with("</html>\r\n"));
    EXPECT_EQ(bytes.find("\n\n"), std::string::npos);

    auto named = RunTool({"generate", "--app-dir", dir(), "--output", "other.htm"});
    ASSERT_EQ(named.status, CliStatus::Success) << named.err;
    EXPECT_TRUE(fs::exists(app.path() / "Output" / "other.htm"));
}

TEST_F(CliProgramFolder, StoredTemplateMissingFromTheCatalogueMakesNoPage) {
    app.write("settings.dat", "<%%AfTitle%%>T<%%/AfTitle%%>"
                              "<%%AfTemplate%%>Gone<%%/AfTemplate%%>");
    auto missing = RunTool({"generate", "--app-dir", dir(), "--stdout"});
    EXPECT_EQ(missing.status, CliStatus::NoTemplate);
    EXPECT_EQ(missing.out, "");
    EXPECT_NE(missing.err.find("No template file \"Gone.tem\""), std::string::npos);

    // A project that names none takes the first one listed.
    app.write("settings.dat", "<%%AfTitle%%>T<%%/AfTitle%%>");
    auto first = RunTool({"templates", "--app-dir", dir()}).out;
    first = first.substr(0, first.find('\n'));
    auto fallback = RunTool({"generate", "--app-dir", dir(), "--stdout"});
    auto explicitFirst = RunTool({"generate", "--app-dir", dir(), "--stdout", "--template", first});
    ASSERT_EQ(fallback.status, CliStatus::Success);
    EXPECT_EQ(fallback.out, explicitFirst.out);
}

TEST_F(CliProgramFolder, FailuresGiveTheirStatusAndAMessage) {
    auto noTemplate = RunTool({"generate", "--app-dir", dir(), "--template", "Nope", "--stdout"});
    EXPECT_EQ(noTemplate.status, CliStatus::NoTemplate);
    EXPECT_NE(noTemplate.err.find("Nope"), std::string::npos);

    std::filesystem::remove_all(app.path() / "Templates");
    auto noneInstalled = RunTool({"generate", "--app-dir", dir(), "--stdout"});
    EXPECT_EQ(noneInstalled.status, CliStatus::NoTemplate);
    EXPECT_NE(noneInstalled.err.find("No templates are installed"), std::string::npos);

    auto noSettings = RunTool({"generate", "--app-dir", dir(), "--settings", dir() + "/none.dat"});
    EXPECT_EQ(noSettings.status, CliStatus::BadInput);
    EXPECT_NE(noSettings.err.find("none.dat"), std::string::npos);

    for (auto arguments : std::vector<std::vector<std::string>>{
             {},
             {"make"},
             {"generate", "--bogus"},
             {"generate", "--template"},
             {"generate", "--stdout", "--output", "x"},
             {"templates", "--stdout"},
             {"generate", "--app-dir", dir(), "--output", "  "}}) {
        auto result = RunTool(arguments);
        EXPECT_EQ(result.status, CliStatus::BadInput);
        EXPECT_FALSE(result.err.empty());
    }

    app.write("Output", "a file in the way");
    auto blocked = RunTool({"generate", "--app-dir", dir()});
    EXPECT_EQ(blocked.status, CliStatus::BadInput);
    EXPECT_NE(blocked.err.find("Can't create the output folder!"), std::string::npos);
}

TEST(Cli, HelpExplainsEveryOption) {
    auto help = RunTool({"generate", "--help"});
    EXPECT_EQ(help.status, CliStatus::Success);
    for (auto option : {"--app-dir", "--settings", "--template", "--output", "--stdout"})
        EXPECT_NE(help.out.find(option), std::string::npos) << option;
}

TEST(Cli, ProgramRunsWithItsOwnFolderAsTheProgramFolder) {
    TempFolder capture;
    const std::string listing = (capture.path() / "listing.txt").string();
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, listing.c_str(), O_WRONLY | O_CREAT, 0600);
    pid_t child;
    const char* program = VANTOR_CLI_PROGRAM;
    char* argv[] = {const_cast<char*>(program), const_cast<char*>("templates"), nullptr};
    ASSERT_EQ(posix_spawn(&child, program, &actions, nullptr, argv, environ), 0);
    posix_spawn_file_actions_destroy(&actions);
    int status = 0;
    waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    // The build puts the shipped templates beside the program.
    EXPECT_EQ(ReadAll(listing), "Aurora\nMeadow\nSunset\n");
}

TEST_F(CliProgramFolder, MissingProgramFolderIsAnErrorAndNothingIsMade) {
    const std::string missing = dir() + "/none";
    for (auto command : {"templates", "generate"}) {
        auto result = RunTool({command, "--app-dir", missing});
        EXPECT_EQ(result.status, CliStatus::BadInput);
        EXPECT_EQ(result.err, "Cannot use the program folder \"" + missing +
                                  "\". No such file or directory.\n");
    }
    EXPECT_FALSE(fs::exists(missing));
}

TEST_F(CliProgramFolder, CheckTemplateRefusesAMissingProgramFolderAsGenerateDoes) {
    const std::string missing = dir() + "/none";
    const std::string example =
        (fs::path(VANTOR_SOURCE_DIR) / "examples" / "templates" / "minimal.tem").string();
    auto checked = RunTool({"check-template", example, "--app-dir", missing});
    EXPECT_EQ(checked.status, CliStatus::BadInput);
    EXPECT_EQ(checked.out, "");
    EXPECT_EQ(checked.err,
              "Cannot use the program folder \"" + missing + "\". No such file or directory.\n");
    EXPECT_EQ(checked.err, RunTool({"generate", "--app-dir", missing}).err);
    EXPECT_FALSE(fs::exists(missing));
}

TEST_F(CliProgramFolder, SettingsThatAreNoFileSayWhatTheyAre) {
    fs::create_directory(app.path() / "folder.dat");
    ASSERT_EQ(mkfifo((app.path() / "fifo.dat").c_str(), 0600), 0);
    for (auto [name, reason] :
         {std::pair{"folder.dat", "Is a directory"}, std::pair{"fifo.dat", "Not a regular file"},
          std::pair{"none.dat", "No such file or directory"}}) {
        const std::string path = dir() + "/" + name;
        auto result = RunTool({"generate", "--app-dir", dir(), "--settings", path, "--stdout"});
        EXPECT_EQ(result.status, CliStatus::BadInput);
        EXPECT_EQ(result.err, "Cannot open file \"" + path + "\". " + reason + ".\n");
    }
}

TEST_F(CliProgramFolder, FilesHoldingNoWholeProjectMakeNoPage) {
    const std::string demo = ReadAll(app.path() / "settings.dat");
    app.write("random.dat", std::string("\x8f\x01PK\x03\x04 not a project\0\xff", 22));
    app.write("empty.dat", "");
    app.write("cut.vantor", demo.substr(0, demo.find("<%%/AfArticles%%>")));
    for (auto [name, reason] :
         {std::pair{"random.dat", "It holds no project."},
          std::pair{"empty.dat", "It holds no project."},
          std::pair{"cut.vantor", "It is damaged: it breaks off in the articles."}}) {
        const std::string path = dir() + "/" + name;
        auto result = RunTool({"generate", "--app-dir", dir(), "--settings", path, "--stdout"});
        EXPECT_EQ(result.status, CliStatus::BadInput);
        EXPECT_EQ(result.out, "");
        EXPECT_EQ(result.err, "Cannot open file \"" + path + "\". " + reason + "\n");
    }
}

TEST_F(CliProgramFolder, NamesLeavingOutputAreRefusedWhereverTheyComeFrom) {
    auto given = RunTool({"generate", "--app-dir", dir(), "--output", "../escaped.htm"});
    EXPECT_EQ(given.status, CliStatus::BadInput);
    EXPECT_EQ(given.err, "The output filename \"../escaped.htm\" leaves the Output folder, and "
                         "pages are written into the Output folder only. Please provide a name "
                         "without \"..\".\n");
    app.write("settings.dat", "<%%AfFileName%%>../../escaped.htm<%%/AfFileName%%>");
    auto stored = RunTool({"generate", "--app-dir", dir()});
    EXPECT_EQ(stored.status, CliStatus::BadInput);
    EXPECT_FALSE(fs::exists(app.path() / "escaped.htm"));
    EXPECT_FALSE(fs::exists(app.path().parent_path() / "escaped.htm"));
}

TEST_F(CliProgramFolder, EmptyTemplateAndControlCharactersInNamesAreShownPlainly) {
    const auto empty = app.write("Templates/empty.tem", "");
    auto result = RunTool({"generate", "--app-dir", dir(), "--template", "Empty", "--stdout"});
    EXPECT_EQ(result.status, CliStatus::BadInput);
    EXPECT_EQ(result.err, "The template file \"" + empty.string() + "\" is empty.\n");

    app.write("Templates/z\x1b[2J\n\xC2\x9B.tem", "x");
    EXPECT_NE(RunTool({"templates", "--app-dir", dir()}).out.find("Z\\x1b[2J\\n\\u009b\n"),
              std::string::npos);
    auto missing = RunTool({"generate", "--app-dir", dir(), "--template", "a\rb", "--stdout"});
    EXPECT_EQ(missing.status, CliStatus::NoTemplate);
    EXPECT_NE(missing.err.find("\"a\\rb.tem\""), std::string::npos);
}

TEST(CliCheckUpdate, AnswersInOneLineAsTheWindowDecides) {
    TempFolder app;
    const std::string newer = "[APPLICATION]\r\nVersion=1.02\r\n";
    TestHttpServer server({{{Reply("HTTP/1.1 200 OK", newer)}},
                           {{Reply("HTTP/1.1 200 OK", "[APPLICATION]\nVersion=1.010000001")}},
                           {{Reply("HTTP/1.1 404 Not Found", "")}}});
    auto check = [&] {
        return RunTool(
            {"check-update", "--app-dir", app.path().string(), "--url", server.Url("/live/")});
    };
    const fs::path description = app.path() / "mainappupdate.inf";
    auto offered = check();
    EXPECT_EQ(offered.status, CliStatus::Success);
    EXPECT_EQ(offered.out, "update available: 1.02\n");
    EXPECT_EQ(ReadAll(description), newer);
    EXPECT_EQ(check().out, "no new updates\n");
    auto failed = check();
    EXPECT_EQ(failed.status, CliStatus::NotFetched);
    EXPECT_EQ(failed.out, "");
    EXPECT_EQ(failed.err,
              "could not fetch " + server.Url("/live/mainappupdate.inf") + ": 404 Not Found\n");
    // A failed download leaves the description it would have replaced as it was.
    EXPECT_EQ(ReadAll(description), "[APPLICATION]\nVersion=1.010000001");
    EXPECT_EQ(server.Requests().size(), 3u);

    // The program trusts the system's store alone: the tests' own authority is unknown to it.
    TestHttpServer secure({{{Reply("HTTP/1.1 200 OK", newer)}}}, false, TlsStreams({}));
    EXPECT_EQ(
        RunTool({"check-update", "--app-dir", app.path().string(), "--url", secure.Url("/live/")})
            .err,
        "could not fetch " + secure.Url("/live/mainappupdate.inf") +
            ": the check was refused for safety, because the server's certificate issuer is "
            "unknown\n");

    EXPECT_NE(RunTool({"--help"}).out.find("check-update [--app-dir DIR] [--url BASE]"),
              std::string::npos);
    EXPECT_EQ(RunTool({"check-update", "--output", "x"}).status, CliStatus::BadInput);
}

TEST(CliCheckUpdate, ADescriptionWithoutAVersionIsAFailureNotUpToDate) {
    TempFolder app;
    TestHttpServer server({{{Reply("HTTP/1.1 200 OK", "<html><body>Moved</body></html>")}},
                           {{Reply("HTTP/1.1 200 OK", "")}},
                           {{Reply("HTTP/1.1 200 OK", "[APPLICATION]\r\nName=Vantor\r\n")}}});
    for (int i = 0; i < 3; ++i) {
        // The folder's final "/" may be left out.
        auto result = RunTool(
            {"check-update", "--app-dir", app.path().string(), "--url", server.Url("/live")});
        EXPECT_EQ(result.status, CliStatus::NotFetched);
        EXPECT_EQ(result.out, "");
        EXPECT_EQ(result.err, "no version in " + server.Url("/live/mainappupdate.inf") +
                                  ": the update description holds no Version in [APPLICATION]\n");
    }
}
