// quillon-update and the script that lays out an update folder, run as a user runs them.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdio>

#include "OnlineTestSupport.h"
#include "archive/ArchiveUi.h"
#include "archive/Resource.h"

using namespace online_test;
using ::testing::ElementsAre;

namespace {

struct TRun {
    int Status = -1;
    std::vector<std::string> Lines; // standard output, the time stamps cut off
};

std::string Quote(const std::string& text) {
    std::string quoted = "'";
    for (char c : text)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

TRun RunCommand(const std::string& command) {
    TRun run;
    std::FILE* pipe = popen((command + " 2>/dev/null").c_str(), "r");
    if (!pipe) return run;
    std::string out;
    char buffer[4096];
    for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
        out.append(buffer, n);
    const int status = pclose(pipe);
    run.Status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    std::istringstream in(out);
    for (std::string line; std::getline(in, line);) {
        const size_t cut = line.find(" : ");
        run.Lines.push_back(cut == std::string::npos ? line : line.substr(cut + 3));
    }
    return run;
}

const std::string Tool = std::string(QUILLON_BINARY_DIR) + "/quillon-update";

TEST(UpdateToolsTest, QuillonUpdateRefusesBadArgumentsWithStatusTwo) {
    for (const char* args : {"", "--server http://127.0.0.1:1", "--dir /tmp/x", "--server",
                             "--server '' --dir /tmp/x", "--server http://127.0.0.1:1 --dir /tmp/x --fast"})
        EXPECT_EQ(RunCommand(Tool + " " + args).Status, 2) << args;
}

TEST(UpdateToolsTest, AFolderLaidOutByTheScriptIsServedAndFetchedByQuillonUpdate) {
    TTempFolder root;
    const fs::path sources = root.Path / "sources";
    const std::string database = Pattern(20000, 5);
    WriteFile(sources / "Database.pck", database);
    WriteFile(sources / "quillon", "new program");
    WriteFile(sources / "NEWS.txt", "what is new");
    const fs::path out = root.Path / "site";
    const std::string script = std::string(QUILLON_SOURCE_DIR) + "/tools/make-update-folder.sh";
    const TRun made = RunCommand(
        Quote(script) + " " + Quote(out.string()) + " --database " +
        Quote((sources / "Database.pck").string()) + " --database-note 'Database of 1995' --program " +
        Quote((sources / "quillon").string()) + " --program " + Quote((sources / "NEWS.txt").string()) +
        " --program-note 'Quillon 0.2' --qarc " + Quote(std::string(QUILLON_BINARY_DIR) + "/qarc"));
    ASSERT_EQ(made.Status, 0);

    TServerProcess server(ScriptPath("http_server.py"),
                          {"--root", out.string(), "--log", (root.Path / "requests.log").string()},
                          root.Path);
    ASSERT_TRUE(server.Running());
    const fs::path local = root.Path / "local";
    const std::string command = Tool + " --server http://127.0.0.1:" + std::to_string(server.Port) +
                                " --dir " + Quote(local.string());

    // The log comes oldest line first.
    const TRun first = RunCommand(command);
    EXPECT_EQ(first.Status, 0);
    EXPECT_THAT(first.Lines, ElementsAre("Found  : Database of 1995", "Begin Download database.pck",
                                         "File Downloaded : " + (local / "database.pck").string(),
                                         "Found  : Quillon 0.2", "Begin Download quillon.pck",
                                         "File Downloaded : " + (local / "quillon.pck").string(),
                                         "New updates downloaded"));
    EXPECT_TRUE(HoldsBytes(local / "database.pck", database));

    // The program archive gives back the files it was made of, under their own names.
    TQuietArchiveUi ui(TArchiveAnswer::Yes, false);
    TResource resource(ui);
    resource.Silence();
    fs::create_directories(root.Path / "unpacked");
    EXPECT_EQ(
        resource.DecompressFromArchive((local / "quillon.pck").string(), (root.Path / "unpacked").string()),
        2);
    EXPECT_EQ(ReadFile(root.Path / "unpacked" / "quillon"), "new program");
    EXPECT_EQ(ReadFile(root.Path / "unpacked" / "NEWS.txt"), "what is new");

    const TRun second = RunCommand(command);
    EXPECT_EQ(second.Status, 0);
    EXPECT_EQ(second.Lines.back(), "No New Updates Found");
}

TEST(UpdateToolsTest, QuillonUpdateWithoutAServerStillEndsWithStatusZero) {
    TTempFolder root;
    const TRun run = RunCommand(Tool + " --server http://127.0.0.1:" + std::to_string(UnusedPort()) +
                                " --dir " + Quote((root.Path / "local").string()));
    EXPECT_EQ(run.Status, 0);
    ASSERT_FALSE(run.Lines.empty());
    EXPECT_EQ(run.Lines.back(), "Connection failed");
}

} // namespace
