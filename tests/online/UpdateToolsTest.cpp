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
                             "--server '' --dir /tmp/x", "--server http://127.0.0.1:1 --dir /tmp/x --fast",
                             "--server http://127.0.0.1:1 --dir /tmp/x --public-key 1234"})
        EXPECT_EQ(RunCommand(Tool + " " + args).Status, 2) << args;
}

const std::string Signer = std::string(QUILLON_BINARY_DIR) + "/quillon-sign";

TEST(UpdateToolsTest, ASignedFolderLaidOutByTheScriptIsFetchedAndAppliedByQuillonUpdate) {
    TTempFolder root;
    // The maintainer's key pair, made by the command.
    const fs::path secret = root.Path / "keys" / "update.key";
    const fs::path publicKey = root.Path / "keys" / "update.pub";
    fs::create_directories(secret.parent_path());
    const TRun keys =
        RunCommand(Signer + " new-key " + Quote(secret.string()) + " " + Quote(publicKey.string()));
    ASSERT_EQ(keys.Status, 0);
    EXPECT_EQ(fs::status(secret).permissions() & (fs::perms::group_all | fs::perms::others_all),
              fs::perms::none);
    // A second new-key never overwrites the secret.
    EXPECT_EQ(
        RunCommand(Signer + " new-key " + Quote(secret.string()) + " " + Quote(publicKey.string())).Status,
        1);

    const fs::path sources = root.Path / "sources";
    const std::string database = BuiltDatabase();
    WriteFile(sources / "Database.pck", database);
    WriteFile(sources / "quillon-0.2", "new program");
    const fs::path out = root.Path / "site";
    const std::string script = std::string(QUILLON_SOURCE_DIR) + "/tools/make-update-folder.sh";
    const TRun made = RunCommand(
        Quote(script) + " " + Quote(out.string()) + " --key " + Quote(secret.string()) + " --version 0.2.0" +
        " --database " + Quote((sources / "Database.pck").string()) + " --database-note 'Database of 1995'" +
        " --program " + Quote((sources / "quillon-0.2").string()) + " --program-note 'Quillon 0.2' --qarc " +
        Quote(std::string(QUILLON_BINARY_DIR) + "/qarc") + " --sign " + Quote(Signer));
    ASSERT_EQ(made.Status, 0);
    EXPECT_EQ(RunCommand(Signer + " verify " + Quote(publicKey.string()) + " " +
                         Quote((out / "qstudio" / "manifest.txt").string()) + " " +
                         Quote((out / "qstudio" / "manifest.sig").string()))
                  .Status,
              0);

    TServerProcess server(ScriptPath("http_server.py"),
                          {"--root", out.string(), "--log", (root.Path / "requests.log").string()},
                          root.Path);
    ASSERT_TRUE(server.Running());
    const fs::path local = root.Path / "local";
    const fs::path program = root.Path / "program";
    WriteFile(program / "quillon", "old program");
    const std::string command = Tool + " --server http://127.0.0.1:" + std::to_string(server.Port) +
                                " --dir " + Quote(local.string()) + " --public-key " +
                                Quote(publicKey.string()) + " --apply-to " + Quote(program.string());

    // The log comes oldest line first; the program is put in place last.
    const TRun first = RunCommand(command);
    EXPECT_EQ(first.Status, 0);
    EXPECT_THAT(first.Lines, ElementsAre("Found  : Database of 1995", "Begin Download database.pck",
                                         "File Downloaded : " + (local / "database.pck").string(),
                                         "Found  : Quillon 0.2", "Begin Download quillon.pck",
                                         "File Downloaded : " + (local / "quillon.pck").string(),
                                         "New updates downloaded", "The new program is installed."));
    EXPECT_TRUE(HoldsBytes(local / "database.pck", database));
    EXPECT_EQ(ReadFile(program / "quillon"), "new program");
    EXPECT_EQ(ReadFile(program / "quillon.old"), "old program");

    const TRun second = RunCommand(command);
    EXPECT_EQ(second.Status, 0);
    EXPECT_EQ(second.Lines.back(), "No New Updates Found");

    // Without the matching key the same folder gives nothing: a build without a key takes no
    // update at all, one with a key of its own finds the signature wrong.
    TTempFolder elsewhere;
    const TRun unkeyed = RunCommand(Tool + " --server http://127.0.0.1:" + std::to_string(server.Port) +
                                    " --dir " + Quote(elsewhere.Path.string()));
    EXPECT_EQ(unkeyed.Status, 0);
    ASSERT_FALSE(unkeyed.Lines.empty());
    EXPECT_EQ(unkeyed.Lines.back(),
              BuiltInUpdateKey().empty()
                  ? "No updates can be accepted: this game was built without an update key"
                  : "Updates refused: the list of updates has a wrong signature");
    EXPECT_TRUE(fs::is_empty(elsewhere.Path));
}

TEST(UpdateToolsTest, QuillonUpdatePrintsNoControlCharacters) {
    TTempFolder root;
    TTestKeys keys;
    const fs::path site = root.Path / "site" / "qstudio";
    WriteFile(site / "database.pck", BuiltDatabase());
    WriteFile(site / "database.dwl", "\x1b]2;pwned\x07\x1b[1;31mRed\x1b[0m \x1b"
                                     "c");
    WriteSignedManifest(site, {EntryOf(site, "database.pck", "0.2.0")}, keys.Secret);
    TServerProcess server(ScriptPath("http_server.py"),
                          {"--root", (root.Path / "site").string(), "--log", (root.Path / "log").string()},
                          root.Path);
    ASSERT_TRUE(server.Running());
    const TRun run =
        RunCommand(Tool + " --server http://127.0.0.1:" + std::to_string(server.Port) + " --dir " +
                   Quote((root.Path / "local").string()) + " --public-key " + keys.Public);
    EXPECT_EQ(run.Status, 0);
    ASSERT_FALSE(run.Lines.empty());
    EXPECT_EQ(run.Lines[0], "Found  : ]2;pwned[1;31mRed[0m c");
    for (const std::string& line : run.Lines)
        for (char c : line)
            EXPECT_FALSE(static_cast<unsigned char>(c) < 0x20 || c == 0x7F) << line;
}

TEST(UpdateToolsTest, QuillonUpdateWithoutAServerStillEndsWithStatusZero) {
    TTempFolder root;
    const TTestKeys keys;
    const TRun run =
        RunCommand(Tool + " --server http://127.0.0.1:" + std::to_string(UnusedPort()) + " --dir " +
                   Quote((root.Path / "local").string()) + " --public-key " + keys.Public);
    EXPECT_EQ(run.Status, 0);
    ASSERT_FALSE(run.Lines.empty());
    EXPECT_EQ(run.Lines.back(), "Connection failed");
}

} // namespace
