#include "cli/CliRun.h"

#include <set>

namespace {

// The demo project with a title, template and output file name of its own.
std::string Project(const std::string& title, const std::string& page,
                    const std::string& templateName = "Aurora") {
    std::string text = ReadAll(fs::path(VANTOR_SOURCE_DIR) / "examples" / "demo" / "settings.dat");
    auto replace = [&](const std::string& tag, const std::string& value) {
        const std::string start = "<%%" + tag + "%%>", end = "<%%/" + tag + "%%>";
        const auto from = text.find(start) + start.size();
        text.replace(from, text.find(end) - from, value);
    };
    replace("AfTitle", title);
    replace("AfTemplate", templateName);
    replace("AfFileName", page);
    return text;
}

std::set<std::string> FilesIn(const fs::path& folder) {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.insert(entry.path().filename().string());
    return names;
}

class BatchGenerate : public CliProgramFolder {
  protected:
    fs::path output() const { return app.path() / "Output"; }
};

} // namespace

TEST_F(BatchGenerate, PagesOfAFolderAndFilesAreThoseOfOneRunEach) {
    app.write("projects/b.vantor", Project("Bee", "bee.htm", "Sunset"));
    app.write("projects/a.DAT", Project("Ant", "  "));
    app.write("projects/.hidden.vantor", Project("Hidden", "hidden.htm"));
    app.write("projects/notes.txt", "not a project");
    const auto single = app.write("elsewhere/c.vantor", Project("Cat", "sub/cat.htm"));
    fs::create_directories(output() / "sub");

    auto batch = RunTool({"generate", "--app-dir", dir(), "--projects", dir() + "/projects",
                          "--settings", single.string(), "--jobs", "3"});
    ASSERT_EQ(batch.status, CliStatus::Success) << batch.err;
    EXPECT_EQ(batch.out, "3 pages written to \"" + output().string() + "\", 0 failed\n");
    EXPECT_EQ(batch.err, "");
    // No temporary file is left behind.
    EXPECT_EQ(FilesIn(output()), (std::set<std::string>{"a.htm", "bee.htm", "sub"}));
    EXPECT_EQ(FilesIn(output() / "sub"), std::set<std::string>{"cat.htm"});

    TempFolder alone;
    fs::copy(app.path() / "Templates", alone.path() / "Templates");
    for (auto [project, page] :
         {std::pair{"projects/a.DAT", "a.htm"}, std::pair{"projects/b.vantor", "bee.htm"},
          std::pair{"elsewhere/c.vantor", "sub/cat.htm"}}) {
        SCOPED_TRACE(project);
        fs::create_directories(alone.path() / "Output" / "sub");
        auto one = RunTool({"generate", "--app-dir", alone.path().string(), "--settings",
                            dir() + "/" + project, "--output", page});
        ASSERT_EQ(one.status, CliStatus::Success) << one.err;
        EXPECT_EQ(ReadAll(output() / page), ReadAll(alone.path() / "Output" / page));
    }
    EXPECT_NE(ReadAll(output() / "bee.htm").find("Bee"), std::string::npos);
}

TEST_F(BatchGenerate, PagesLandingOnOneFileAreRefusedOnceAGroupWithTheWayOut) {
    app.write("projects/1.vantor", Project("One", "same.htm"));
    app.write("projects/2.vantor", Project("Two", "other.htm"));
    app.write("projects/3.vantor", Project("Three", "./same.htm"));
    app.write("projects/4.vantor", Project("Four", "same.htm"));
    app.write("projects/5.vantor", Project("Five", "other.htm"));
    app.write("projects/same.vantor", Project("Six", ""));
    auto result = RunTool({"generate", "--app-dir", dir(), "--projects", dir() + "/projects"});
    EXPECT_EQ(result.status, CliStatus::BadInput);
    EXPECT_EQ(result.out, "");
    const std::string projects = dir() + "/projects/";
    EXPECT_EQ(result.err, "\"" + projects + "1.vantor\", \"" + projects +
                              "3.vantor\" and 2 other projects would all write \"" +
                              (output() / "same.htm").string() + "\".\n\"" + projects +
                              "2.vantor\" and \"" + projects + "5.vantor\" would both write \"" +
                              (output() / "other.htm").string() +
                              "\".\nGive each project an output file name of its own, or add "
                              "--name-after-file to name each page after its project file "
                              "(shop01.vantor makes shop01.htm).\nNo page was written.\n");
    EXPECT_FALSE(fs::exists(output()));

    auto named =
        RunTool({"generate", "--app-dir", dir(), "--projects", projects, "--name-after-file"});
    ASSERT_EQ(named.status, CliStatus::Success) << named.err;
    EXPECT_EQ(FilesIn(output()),
              (std::set<std::string>{"1.htm", "2.htm", "3.htm", "4.htm", "5.htm", "same.htm"}));
    EXPECT_NE(ReadAll(output() / "4.htm").find("Four"), std::string::npos);

    // One project given twice, under any spelling, is one mistake, not a clash with itself.
    fs::remove_all(output());
    auto twice = RunTool({"generate", "--app-dir", dir(), "--settings", projects + "2.vantor",
                          "--projects", projects, "--settings", projects + "../projects/2.vantor"});
    EXPECT_EQ(twice.status, CliStatus::BadInput);
    EXPECT_EQ(twice.err, "\"" + projects + "2.vantor\" is given 3 times (also as \"" + projects +
                             "../projects/2.vantor\"); give each project once.\nNo page was "
                             "written.\n");
    EXPECT_FALSE(fs::exists(output()));
}

TEST_F(BatchGenerate, NamesInOtherLetterCasesAreOtherPagesHere) {
    app.write("projects/1.vantor", Project("One", "same.htm"));
    app.write("projects/2.vantor", Project("Two", "SAME.htm"));
    auto cases = RunTool({"generate", "--app-dir", dir(), "--projects", dir() + "/projects"});
    EXPECT_EQ(cases.status, CliStatus::Success) << cases.err;
    EXPECT_EQ(FilesIn(output()), (std::set<std::string>{"SAME.htm", "same.htm"}));
}

TEST_F(BatchGenerate, PagesMeetingThroughALinkedFolderAreRefusedBeforeAnyIsWritten) {
    app.write("projects/1.vantor", Project("One", "a.htm"));
    app.write("projects/2.vantor", Project("Two", "sub/a.htm"));
    fs::create_directories(output());
    std::error_code linked;
    fs::create_directory_symlink(output(), output() / "sub", linked);
    if (linked)
        GTEST_SKIP() << "no folder links here: " << linked.message();
    const std::vector<std::string> batch{"generate", "--app-dir", dir(), "--projects",
                                         dir() + "/projects"};
    for (bool pageExists : {false, true}) {
        SCOPED_TRACE(pageExists);
        if (pageExists)
            app.write("Output/a.htm", "kept");
        auto result = RunTool(batch);
        EXPECT_EQ(result.status, CliStatus::BadInput);
        EXPECT_NE(result.err.find("would both write"), std::string::npos) << result.err;
        EXPECT_EQ(FilesIn(output()).size(), pageExists ? 2u : 1u);
    }
    EXPECT_EQ(ReadAll(output() / "a.htm"), "kept");
}

TEST_F(BatchGenerate, AFailingProjectFailsAloneAndTheStatusSaysSo) {
    const std::string projects = dir() + "/projects/";
    app.write("projects/1-good.vantor", Project("Good", "good.htm"));
    app.write("projects/2-escapes.vantor", Project("Escapes", "../escaped.htm"));
    app.write("projects/3-blocked.vantor", Project("Blocked", "blocked.htm"));
    app.write("projects/4-also-good.vantor", Project("Also", ""));
    const auto other = app.write("projects/5-dbconfig.dat", "[Brand]\r\nTitle=Other\r\n");
    fs::create_directories(output() / "blocked.htm");
    const std::string missing = dir() + "/none.vantor";

    auto result = RunTool({"generate", "--app-dir", dir(), "--settings", missing, "--projects",
                           projects, "--template", "Meadow"});
    EXPECT_EQ(result.status, CliStatus::BadInput);
    EXPECT_EQ(result.out, "2 pages written to \"" + output().string() + "\", 4 failed\n");
    EXPECT_EQ(result.err,
              missing + ": No such file or directory.\n" + projects +
                  "2-escapes.vantor: The output filename \"../escaped.htm\" leaves the Output "
                  "folder, and pages are written into the Output folder only. Please provide a "
                  "name without \"..\".\n" +
                  projects + "3-blocked.vantor: Cannot create file \"" +
                  (output() / "blocked.htm").string() + "\". Is a directory.\n" + other.string() +
                  ": It holds no project.\n");
    EXPECT_EQ(FilesIn(output()),
              (std::set<std::string>{"good.htm", "4-also-good.htm", "blocked.htm"}));
    EXPECT_FALSE(fs::exists(app.path() / "escaped.htm"));

    auto noTemplate = RunTool({"generate", "--app-dir", dir(), "--projects", projects, "--template",
                               "Gone", "--jobs", "1"});
    EXPECT_EQ(noTemplate.status, CliStatus::BadInput);
    EXPECT_NE(noTemplate.err.find(projects + "1-good.vantor: No template file \"Gone.tem\" in "),
              std::string::npos);

    // A project's own template that is not installed is not swapped for another.
    app.write("gone.vantor", Project("Gone", "gone.htm", "Gone"));
    auto ownMissing = RunTool({"generate", "--app-dir", dir(), "--settings", dir() + "/gone.vantor",
                               "--settings", projects + "1-good.vantor"});
    EXPECT_EQ(ownMissing.status, CliStatus::BadInput);
    EXPECT_EQ(ownMissing.out, "1 page written to \"" + output().string() + "\", 1 failed\n");
    EXPECT_NE(ownMissing.err.find("gone.vantor: No template file \"Gone.tem\" in "),
              std::string::npos);
    EXPECT_FALSE(fs::exists(output() / "gone.htm"));
}

TEST_F(BatchGenerate, ATerminalSeesACountThatIsWipedAtTheEnd) {
    app.write("projects/a.vantor", Project("A", ""));
    app.write("projects/b.vantor", Project("B", ""));
    const std::vector<std::string> arguments = {"generate", "--app-dir", dir(), "--projects",
                                                dir() + "/projects"};
    auto watched = RunTool(arguments, true);
    EXPECT_EQ(watched.status, CliStatus::Success);
    EXPECT_EQ(watched.err, "\r1/2 pages\r2/2 pages\r         \r");
    EXPECT_EQ(RunTool(arguments, false).err, "");
}

TEST_F(BatchGenerate, WrongCommandLinesAreRefused) {
    app.write("projects/a.vantor", Project("A", ""));
    app.write("empty/readme.txt", "");
    const std::string projects = dir() + "/projects";
    for (auto arguments : std::vector<std::vector<std::string>>{
             {"--projects", projects, "--output", "x.htm"},
             {"--projects", projects, "--stdout"},
             {"--settings", "a", "--settings", "b", "--stdout"},
             {"--projects", projects, "--name-after-file", "--stdout"},
             {"--projects", projects, "--jobs", "0"},
             {"--projects", projects, "--jobs", "2x"},
             {"--projects"},
             {"--projects", dir() + "/none"},
             {"--projects", dir() + "/empty"}}) {
        arguments.insert(arguments.begin(), {"generate", "--app-dir", dir()});
        auto result = RunTool(arguments);
        EXPECT_EQ(result.status, CliStatus::BadInput) << arguments.back();
        EXPECT_FALSE(result.err.empty());
        EXPECT_EQ(result.out, "");
    }
    EXPECT_FALSE(fs::exists(app.path() / "Output"));
}
