// The qarc tool, run as a program: what it does, what it prints and the exit codes scripts
// rely on (0 done, 1 failed, 2 wrong usage).
#include "ArchiveTestSupport.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <sys/wait.h>

using namespace archive_test;

namespace {

struct TRun {
    int Exit = -1;
    std::string Output; // stdout and stderr together
};

class QarcTest : public testing::Test {
protected:
    void SetUp() override {
        if (!fs::exists(Qarc)) FAIL() << Qarc << " is not built (cmake --build <dir> --target qarc)";
        WriteFile(Dir / "one.txt", std::string("the first file\r\n"));
        WriteFile(Dir / "two.bin", SampleBytes(409700, 11));
    }
    // Runs qarc with `args` inside the scratch folder.
    TRun Run(const std::string& args) {
        const std::string command =
            "cd '" + Dir.Path.string() + "' && '" + Qarc.string() + "' " + args + " 2>&1";
        TRun run;
        FILE* pipe = ::popen(command.c_str(), "r");
        if (!pipe) return run;
        char buffer[4096];
        size_t n;
        while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0)
            run.Output.append(buffer, n);
        const int status = ::pclose(pipe);
        run.Exit = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        return run;
    }

    const fs::path Qarc = fs::path(QUILLON_BINARY_DIR) / "qarc";
    TScratchDir Dir;
};

TEST_F(QarcTest, CreateListExtractTestRoundTrip) {
    TRun r = Run("create game.pck one.txt two.bin");
    ASSERT_EQ(r.Exit, 0) << r.Output;

    r = Run("list game.pck");
    EXPECT_EQ(r.Exit, 0) << r.Output;
    EXPECT_NE(r.Output.find("one.txt"), std::string::npos) << r.Output;
    EXPECT_NE(r.Output.find("409700"), std::string::npos) << r.Output;

    const TCentralDir dir = ReadDirectory(Dir / "game.pck");
    ASSERT_EQ(dir.Entries.size(), 2u);
    EXPECT_EQ(dir.Entries[0].StoredName(), "one.txt") << "stored as given on the command line";
    EXPECT_EQ(dir.Entries[1].Header.BlockCount, 2);

    r = Run("test game.pck");
    EXPECT_EQ(r.Exit, 0) << r.Output;

    r = Run("extract game.pck -C unpacked");
    EXPECT_EQ(r.Exit, 0) << r.Output;
    EXPECT_EQ(ReadFile(Dir / "unpacked" / "one.txt"), ReadFile(Dir / "one.txt"));
    EXPECT_EQ(ReadFile(Dir / "unpacked" / "two.bin"), ReadFile(Dir / "two.bin"));

    r = Run("extract game.pck -C only ONE.TXT");
    EXPECT_EQ(r.Exit, 0) << r.Output;
    EXPECT_EQ(ReadFile(Dir / "only" / "one.txt"), ReadFile(Dir / "one.txt"));
    EXPECT_FALSE(fs::exists(Dir / "only" / "two.bin"));
}

TEST_F(QarcTest, EmptyCreateGivesTheSixteenByteArchiveWithRsExtension) {
    EXPECT_EQ(Run("create empty").Exit, 0);
    EXPECT_EQ(ReadFile(Dir / "empty.rs"), Hex("51415243 45434452 00400600 04000000"));
}

TEST_F(QarcTest, QuestionsAreAnsweredFromTheCommandLine) {
    ASSERT_EQ(Run("create a.pck one.txt").Exit, 0);
    TRun r = Run("create a.pck one.txt");
    EXPECT_EQ(r.Exit, 1) << "--no is the default";
    EXPECT_NE(r.Output.find("already exists in the archive"), std::string::npos) << r.Output;
    EXPECT_EQ(ReadDirectory(Dir / "a.pck").Entries.size(), 1u);
    EXPECT_EQ(Run("--yes create a.pck one.txt").Exit, 0);
    EXPECT_EQ(ReadDirectory(Dir / "a.pck").Entries.size(), 2u);

    fs::create_directories(Dir / "out");
    WriteFile(Dir / "out" / "one.txt", std::string("keep me"));
    EXPECT_EQ(Run("extract a.pck -C out one.txt").Exit, 1);
    EXPECT_EQ(ReadFile(Dir / "out" / "one.txt"), TBytes({'k', 'e', 'e', 'p', ' ', 'm', 'e'}));
    EXPECT_EQ(Run("extract --yes a.pck -C out one.txt").Exit, 0);
    EXPECT_EQ(ReadFile(Dir / "out" / "one.txt"), ReadFile(Dir / "one.txt"));
}

TEST_F(QarcTest, DamageMakesTestFail) {
    ASSERT_EQ(Run("create d.pck two.bin one.txt").Exit, 0);
    TBytes bytes = ReadFile(Dir / "d.pck");
    bytes[4 + 20 + 5] ^= 0x5A; // inside the first coded stream
    WriteFile(Dir / "d.pck", bytes);
    TRun r = Run("test d.pck");
    EXPECT_EQ(r.Exit, 1) << r.Output;
    EXPECT_NE(r.Output.find("FAILED two.bin"), std::string::npos) << r.Output;
    EXPECT_NE(r.Output.find("OK     one.txt"), std::string::npos) << r.Output;

    WriteU32At(bytes, 4 + 8, 0xFFFFFFFFu); // coded length -1
    WriteFile(Dir / "d.pck", bytes);
    r = Run("test d.pck");
    EXPECT_EQ(r.Exit, 1) << r.Output;

    WriteU32At(bytes, bytes.size() - 4, 0x7FFFFFFF); // directory offset far past the end
    WriteFile(Dir / "d.pck", bytes);
    r = Run("list d.pck");
    EXPECT_EQ(r.Exit, 1) << r.Output;
    EXPECT_NE(r.Output.find("Archive could be corrupted"), std::string::npos) << r.Output;

    WriteFile(Dir / "x.pck", std::string("QARX and more bytes"));
    r = Run("extract x.pck");
    EXPECT_EQ(r.Exit, 1) << r.Output;
    EXPECT_NE(r.Output.find("Wrong Signature. Archive could be corrupted."), std::string::npos) << r.Output;
}

struct TExitCase {
    const char* Args;
    int Exit;
};

class QarcExit : public QarcTest, public testing::WithParamInterface<TExitCase> {};

TEST_P(QarcExit, Code) {
    ASSERT_EQ(Run("create ok.pck one.txt").Exit, 0);
    const TRun r = Run(GetParam().Args);
    EXPECT_EQ(r.Exit, GetParam().Exit) << GetParam().Args << "\n" << r.Output;
}

INSTANTIATE_TEST_SUITE_P(
    Usage, QarcExit,
    testing::Values(TExitCase{"", 2}, TExitCase{"frobnicate ok.pck", 2}, TExitCase{"list", 2},
                    TExitCase{"--bogus list ok.pck", 2}, TExitCase{"list ok.pck extra", 2},
                    TExitCase{"create ok.pck -C out one.txt", 2}, TExitCase{"--help", 0},
                    TExitCase{"list missing.pck", 1}, TExitCase{"extract ok.pck nothere.txt", 1},
                    TExitCase{"create ok.pck nothere.txt", 1}, TExitCase{"test ok.pck", 0}));

TEST_F(QarcTest, HelpExplainsEveryCommand) {
    const TRun r = Run("--help");
    for (const char* word : {"create", "list", "extract", "test", "--yes", "--no", "-C"})
        EXPECT_NE(r.Output.find(word), std::string::npos) << word;
}

} // namespace
