// The archive manager: opening and creating, adding (always through a temporary archive),
// extracting, and its behaviour on damaged archives and hostile stored names.
#include "ArchiveTestSupport.h"

#include "archive/ArchiveErrors.h"
#include "archive/ArchiveManager.h"

#include <gtest/gtest.h>

#include <csignal>
#include <ctime>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>

using namespace archive_test;

namespace {

class ManagerTest : public testing::Test {
protected:
    ManagerTest() : Man(Ui) {
        Man.OnLog = [this](const std::string& t) { Log.push_back(t); };
        Man.OnStatus = [this](const std::string& t) { StatusTexts.push_back(t); };
        Man.OnProgress = [this](int p) { ProgressValues.push_back(p); };
        Man.OnCentralDirChange = [this] { ++DirChanges; };
        fs::create_directories(Dir / "src");
        fs::create_directories(Dir / "out");
    }

    fs::path Source(const std::string& name, const TBytes& bytes) {
        const fs::path p = Dir / "src" / name;
        WriteFile(p, bytes);
        return p;
    }
    fs::path Source(const std::string& name, const std::string& text) {
        return Source(name, TBytes(text.begin(), text.end()));
    }
    // A new archive holding the given source files, added by full path.
    fs::path MakeArchive(const std::string& name, const std::vector<fs::path>& files) {
        const fs::path archive = Dir / name;
        Man.OpenArchive(archive.string(), false);
        std::vector<std::string> names;
        for (const fs::path& f : files)
            names.push_back(f.string());
        EXPECT_EQ(Man.AddFiles(names), static_cast<int>(files.size()));
        return archive;
    }
    bool Logged(const std::string& text) const {
        return std::find(Log.begin(), Log.end(), text) != Log.end();
    }
    std::vector<std::string> OutFiles() const {
        std::vector<std::string> names;
        for (const auto& e : fs::directory_iterator(Dir / "out"))
            names.push_back(e.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }
    void ExtractAllSilently() {
        Man.ShowMessages = false;
        Man.SetExtractFolder((Dir / "out").string());
        Extracted = Man.ExtractEntries(Man.CentralDir().Entries);
    }

    TScratchDir Dir;
    TRecordingUi Ui;
    TArchiveManager Man;
    std::vector<std::string> Log, StatusTexts;
    std::vector<int> ProgressValues;
    int DirChanges = 0;
    TExtractResult Extracted;
};

// The blocks of an entry must follow each other exactly: each header's coded length leads to
// the next header, and the last one ends where the next file (or the directory) begins.
void ExpectBlockChain(const TBytes& archive, const TCentralDirEntry& e, int64_t end) {
    size_t at = static_cast<size_t>(e.Header.DataOffset);
    int64_t coded = 0;
    for (int32_t k = 0; k < e.Header.BlockCount; ++k) {
        ASSERT_LE(at + 20, archive.size());
        EXPECT_EQ(
            std::string(archive.begin() + static_cast<long>(at), archive.begin() + static_cast<long>(at) + 4),
            "DATA");
        const uint32_t len = ReadU32At(archive, at + 8);
        coded += len;
        at += 20 + len;
    }
    EXPECT_EQ(static_cast<int64_t>(at), end);
    EXPECT_EQ(coded, e.Header.CompressedSize);
}

class ManagerRoundTrip : public ManagerTest, public testing::WithParamInterface<size_t> {};

TEST_P(ManagerRoundTrip, StoresAndExtractsBlockByBlock) {
    const size_t size = GetParam();
    const TBytes data = SampleBytes(size, static_cast<uint32_t>(size));
    const fs::path archive = MakeArchive("round.pck", {Source("data.bin", data)});

    ASSERT_EQ(Man.CentralDir().Entries.size(), 1u);
    const TCentralDirEntry& e = Man.CentralDir().Entries[0];
    EXPECT_EQ(e.Header.UncompressedSize, static_cast<int32_t>(size));
    EXPECT_EQ(e.Header.BlockCount, static_cast<int32_t>((size + 409599) / 409600));
    EXPECT_EQ(e.Header.DataOffset, 4);
    ExpectBlockChain(ReadFile(archive), e, Man.CentralDir().DirOffset);
    EXPECT_TRUE(Man.TestEntry(e));

    ExtractAllSilently();
    EXPECT_EQ(Extracted.Count, 1);
    EXPECT_EQ(Extracted.Bytes, static_cast<int64_t>(size));
    EXPECT_EQ(ReadFile(Dir / "out" / "data.bin"), data);
    EXPECT_TRUE(Ui.Messages.empty());
}

INSTANTIATE_TEST_SUITE_P(Sizes, ManagerRoundTrip, testing::Values(0, 1, 409600, 409601));

TEST_F(ManagerTest, CorpusRoundTripsInOneArchive) {
    std::error_code ec;
    if (!fs::is_directory(QUILLON_CORPUS_DIR, ec))
        GTEST_SKIP() << "no sample corpus at " << QUILLON_CORPUS_DIR << " beside the checkout";
    std::vector<fs::path> files;
    for (const auto& e : fs::directory_iterator(QUILLON_CORPUS_DIR))
        if (e.is_regular_file()) files.push_back(e.path());
    ASSERT_FALSE(files.empty()) << "no corpus in " << QUILLON_CORPUS_DIR;
    std::sort(files.begin(), files.end());
    const fs::path archive = MakeArchive("corpus.pck", files);

    const auto& entries = Man.CentralDir().Entries;
    ASSERT_EQ(entries.size(), files.size());
    const TBytes bytes = ReadFile(archive);
    for (size_t i = 0; i < entries.size(); ++i) {
        const int64_t end =
            i + 1 < entries.size() ? entries[i + 1].Header.DataOffset : Man.CentralDir().DirOffset;
        ExpectBlockChain(bytes, entries[i], end);
        EXPECT_EQ(entries[i].Header.UncompressedSize, static_cast<int32_t>(fs::file_size(files[i])));
    }
    ExtractAllSilently();
    EXPECT_EQ(Extracted.Count, static_cast<int>(files.size()));
    for (const fs::path& f : files)
        EXPECT_TRUE(ReadFile(f) == ReadFile(Dir / "out" / f.filename())) << f.filename();
}

TEST_F(ManagerTest, AddingKeepsEarlierBlocksWhereTheyWere) {
    const fs::path archive = MakeArchive("two.pck", {Source("first.bin", SampleBytes(500000, 1))});
    const TBytes before = ReadFile(archive);
    const TCentralDirEntry first = Man.CentralDir().Entries[0];
    const int32_t oldDir = Man.CentralDir().DirOffset;

    EXPECT_EQ(Man.AddFiles({Source("second.bin", SampleBytes(1000, 2)).string()}), 1);
    const TBytes after = ReadFile(archive);
    ASSERT_EQ(Man.CentralDir().Entries.size(), 2u);
    EXPECT_TRUE(std::equal(before.begin(), before.begin() + oldDir, after.begin()));
    const TCentralDirEntry& kept = Man.CentralDir().Entries[0];
    EXPECT_EQ(kept.Header.DataOffset, first.Header.DataOffset);
    EXPECT_EQ(kept.Header.CompressedSize, first.Header.CompressedSize);
    EXPECT_EQ(kept.StoredName(), first.StoredName());
    EXPECT_EQ(Man.CentralDir().Entries[1].Header.DataOffset, oldDir);
}

TEST_F(ManagerTest, AddLogsEveryStepWithThePrefix) {
    Source("a.txt", std::string("banana"));
    const fs::path archive = Dir / "banana.pck";
    Man.OpenArchive(archive.string(), false);
    EXPECT_EQ(Man.AddFiles({"a.txt"}, (Dir / "src").string()), 1);

    const std::string full = Man.ArchiveName();
    EXPECT_EQ(full, archive.string());
    for (const std::string& line :
         {"ArchiveMan: Archive Opened - " + full, std::string("ArchiveMan: CentralDir Loaded"),
          std::string("ArchiveMan: Adding file - a.txt"),
          std::string("ArchiveMan: File size = 6 bytes  (Num blocks=1)"),
          std::string("ArchiveMan: Block 0 OK, (Raw size=6 Compressed= 7)")})
        EXPECT_TRUE(Logged(line)) << line;
    EXPECT_EQ(StatusTexts, std::vector<std::string>{"Adding file - a.txt"});
    EXPECT_GE(DirChanges, 2);

    // Apart from the source's date-time, the result is the worked banana archive.
    TBytes bytes = ReadFile(archive);
    ASSERT_EQ(bytes.size(), 77u);
    WriteU32At(bytes, 51, 0);
    EXPECT_EQ(bytes, Hex("51415243"
                         "44415441 cf678b03 07000000 03000000 04000000 3f2d727ab9d165"
                         "43464853 07000000 06000000 01000000 04000000 00000000 20000000 612e747874 00"
                         "45434452 00400600 1f000000"));
    Man.CloseArchive();
    EXPECT_EQ(Log.back(), "ArchiveMan: Archive Closed - " + full);
    EXPECT_FALSE(Man.IsOpen());
}

TEST_F(ManagerTest, MissingArchiveIsCreatedOnlyAfterYes) {
    const fs::path archive = Dir / "new.pck";
    for (TArchiveAnswer refusal : {TArchiveAnswer::No, TArchiveAnswer::Cancel}) {
        Ui.Answers = {refusal};
        try {
            Man.OpenArchive(archive.string(), true);
            FAIL() << "no EUserCancel";
        } catch (const EUserCancel& e) {
            EXPECT_STREQ(e.what(), "Create new archive cancelled");
        }
        EXPECT_FALSE(fs::exists(archive));
        EXPECT_FALSE(Man.IsOpen());
    }
    Ui.Answers = {TArchiveAnswer::Yes};
    Man.OpenArchive(archive.string(), true);
    EXPECT_TRUE(Man.IsOpen());
    EXPECT_EQ(fs::file_size(archive), 16u);
    ASSERT_EQ(Ui.Questions.size(), 3u);
    EXPECT_EQ(Ui.Questions[2], (TMessage{"The archive file " + archive.string() +
                                             " does not exist. Do you want to create a new file?",
                                         "Create new archive?"}));
    EXPECT_EQ(Ui.QuestionButtons[2], TArchiveButtons::YesNoCancel);
}

TEST_F(ManagerTest, NameWithoutExtensionGetsRs) {
    const std::pair<const char*, const char*> cases[] = {{"noext", "noext.rs"},
                                                         {"trail.", "trail.rs"},
                                                         {"Database.pck", "Database.pck"},
                                                         {"sav.sav", "sav.sav"},
                                                         {"dotted.dir/plain", "dotted.dir/plain.rs"}};
    fs::create_directories(Dir / "dotted.dir");
    for (const auto& [given, expected] : cases) {
        Man.OpenArchive((Dir / given).string(), false);
        EXPECT_EQ(Man.ArchiveName(), (Dir / expected).string());
        EXPECT_TRUE(fs::exists(Dir / expected)) << expected;
    }
    // An existing archive is found whatever the letter case of the name asked for.
    Man.OpenArchive((Dir / "DATABASE.PCK").string(), false);
    EXPECT_EQ(Man.ArchiveName(), (Dir / "Database.pck").string());
    EXPECT_FALSE(fs::exists(Dir / "DATABASE.PCK"));
}

TEST_F(ManagerTest, FoldersAndUnreadableFilesAreReportedAndSkipped) {
    Source("good.txt", std::string("good"));
    fs::create_directories(Dir / "src" / "folder");
    const fs::path archive = Dir / "mixed.pck";
    Man.OpenArchive(archive.string(), false);
    EXPECT_EQ(Man.AddFiles({"folder", "missing.txt", "good.txt"}, (Dir / "src").string()), 1);
    EXPECT_EQ(Ui.Messages, (std::vector<TMessage>{
                               {"Could not add: 'folder'. Adding of folders is not supported.", "Error"},
                               {"Cannot open file: 'missing.txt'.\rIt will not be added.", " Error"}}));
    ASSERT_EQ(Man.CentralDir().Entries.size(), 1u);
    EXPECT_EQ(Man.CentralDir().Entries[0].StoredName(), "good.txt");
}

TEST_F(ManagerTest, NothingAddedLeavesArchiveAndFolderAsTheyWere) {
    const fs::path archive = MakeArchive("keep.pck", {Source("x.txt", std::string("x"))});
    const TBytes before = ReadFile(archive);
    const auto listing = Dir.Listing();
    EXPECT_EQ(Man.AddFiles({(Dir / "src" / "nope").string()}), 0);
    EXPECT_EQ(Man.AddFiles({}), 0);
    EXPECT_EQ(ReadFile(archive), before);
    EXPECT_EQ(Dir.Listing(), listing);
}

TEST_F(ManagerTest, FailureWhileAddingLeavesOldArchiveAndNoTemporaryFile) {
    const fs::path archive = MakeArchive("safe.pck", {Source("old.txt", SampleBytes(3000, 3))});
    const TBytes before = ReadFile(archive);
    const auto listing = Dir.Listing();
    const fs::path big = Source("big.bin", SampleBytes(3 * 409600, 4));

    // The host gives up in the middle of the second block (a closed window, say).
    int calls = 0;
    Ui.OnProcessEvents = [&] {
        if (++calls == 2) throw EInOutError("host gave up");
    };
    EXPECT_THROW(Man.AddFiles({big.string()}), EInOutError);
    Ui.OnProcessEvents = nullptr;

    EXPECT_EQ(ReadFile(archive), before);
    EXPECT_EQ(Dir.Listing(), listing);
    ASSERT_TRUE(Man.IsOpen());
    EXPECT_EQ(Man.CentralDir().Entries.size(), 1u);
    EXPECT_EQ(Man.AddFiles({Source("later.txt", std::string("later")).string()}), 1) << "still usable";
}

TEST_F(ManagerTest, WriteFailureWhileAddingLeavesOldArchiveAndNoTemporaryFile) {
    const fs::path archive = MakeArchive("full.pck", {Source("old.txt", SampleBytes(3000, 5))});
    const TBytes before = ReadFile(archive);
    const auto listing = Dir.Listing();
    const fs::path big = Source("noise.bin", SampleBytes(409600, 6));

    // A child process whose files may not grow past a few kilobytes: the disk is "full".
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlim_t limit = static_cast<rlim_t>(before.size() + 2000);
        const struct rlimit rl { limit, limit };
        ::setrlimit(RLIMIT_FSIZE, &rl);
        int code = 2;
        try {
            Man.AddFiles({big.string()});
        } catch (const EArchiveError&) {
            code = 0;
        } catch (...) {
            code = 3;
        }
        ::_exit(code);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "2: the failed write went unnoticed";
    EXPECT_EQ(ReadFile(archive), before);
    EXPECT_EQ(Dir.Listing(), listing);
}

// A new archive from scratch: built beside the old one under a temporary name, and only the
// commit puts it in the old one's place.
TEST_F(ManagerTest, BuilderReplacesTheArchiveOnlyAtCommit) {
    const fs::path archive = MakeArchive("save.pck", {Source("old.txt", SampleBytes(3000, 7))});
    Man.CloseArchive();
    const TBytes before = ReadFile(archive);
    const auto listing = Dir.Listing();
    const TBytes a = SampleBytes(5000, 8);
    Source("a.txt", a);
    Source("b.txt", std::string());
    {
        TArchiveBuilder builder(Man, archive.string());
        builder.Add("a.txt", (Dir / "src").string());
        builder.Add("b.txt", (Dir / "src").string());
        EXPECT_EQ(builder.Count(), 2);
        EXPECT_EQ(ReadFile(archive), before) << "the old archive changed before the commit";
        EXPECT_EQ(Dir.Listing().size(), listing.size() + 1) << "no temporary file beside the archive";
        builder.Commit();
    }
    EXPECT_EQ(Dir.Listing(), listing);
    const TCentralDir dir = ReadDirectory(archive);
    ASSERT_EQ(dir.Entries.size(), 2u);
    EXPECT_EQ(dir.Entries[0].StoredName(), "a.txt");
    EXPECT_EQ(dir.Entries[1].StoredName(), "b.txt");
    Man.OpenArchive(archive.string(), false);
    ExtractAllSilently();
    EXPECT_EQ(Extracted.Count, 2);
    EXPECT_EQ(ReadFile(Dir / "out" / "a.txt"), a);
    EXPECT_TRUE(ReadFile(Dir / "out" / "b.txt").empty());
    EXPECT_FALSE(fs::exists(Dir / "out" / "old.txt"));

    // Where there was no archive, the commit creates it.
    {
        TArchiveBuilder builder(Man, (Dir / "fresh.pck").string());
        builder.Add("a.txt", (Dir / "src").string());
        builder.Commit();
    }
    EXPECT_EQ(ReadDirectory(Dir / "fresh.pck").Entries.size(), 1u);
}

TEST_F(ManagerTest, BuilderThatFailsLeavesTheOldArchiveAndNoTemporaryFile) {
    const fs::path archive = MakeArchive("keep.pck", {Source("old.txt", SampleBytes(3000, 9))});
    Man.CloseArchive();
    const TBytes before = ReadFile(archive);
    const auto listing = Dir.Listing();
    Source("a.txt", SampleBytes(4000, 10));
    {
        TArchiveBuilder builder(Man, archive.string());
        builder.Add("a.txt", (Dir / "src").string());
        EXPECT_THROW(builder.Add("missing.txt", (Dir / "src").string()), EInOutError);
        // Abandoned without a commit.
    }
    EXPECT_EQ(ReadFile(archive), before);
    EXPECT_EQ(Dir.Listing(), listing);

    // The disk fills up while the new archive is written: a child process whose files may not
    // grow past a few kilobytes.
    Source("big.bin", SampleBytes(409600, 11));
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlim_t limit = static_cast<rlim_t>(before.size() + 2000);
        const struct rlimit rl { limit, limit };
        ::setrlimit(RLIMIT_FSIZE, &rl);
        int code = 2;
        try {
            TArchiveBuilder builder(Man, archive.string());
            builder.Add("big.bin", (Dir / "src").string());
            builder.Commit();
        } catch (const EArchiveError&) {
            code = 0;
        } catch (...) {
            code = 3;
        }
        ::_exit(code);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "2: the failed write went unnoticed";
    EXPECT_EQ(ReadFile(archive), before);
    EXPECT_EQ(Dir.Listing(), listing);
}

TEST_F(ManagerTest, FullPathNamesAreStoredWholeAndFoundByFileName) {
    fs::create_directories(Dir / "src" / "QlSave");
    const fs::path pub = Dir / "src" / "QlSave" / "1_Pub.sav";
    WriteFile(pub, std::string("publisher"));
    MakeArchive("sav.sav", {pub});
    const TCentralDirEntry* e = Man.CentralDir().Find("1_PUB.SAV");
    ASSERT_NE(e, nullptr);
    EXPECT_EQ(e->StoredName(), pub.string());
    EXPECT_EQ(e->Folder, (Dir / "src" / "QlSave").string() + "/");
    Man.SetExtractFolder((Dir / "out").string());
    EXPECT_EQ(Man.ExtractEntries({*e}).Count, 1);
    EXPECT_EQ(OutFiles(), std::vector<std::string>{"1_Pub.sav"});
}

TEST_F(ManagerTest, DateAndReadOnlyAttributeTravelWithTheFile) {
    const fs::path src = Source("dated.txt", std::string("dated"));
    std::tm lt{};
    lt.tm_year = 2001 - 1900;
    lt.tm_mon = 1;
    lt.tm_mday = 3;
    lt.tm_hour = 4;
    lt.tm_min = 5;
    lt.tm_sec = 6;
    lt.tm_isdst = -1;
    const std::time_t when = std::mktime(&lt);
    const struct timespec times[2] = {{when, 0}, {when, 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, src.c_str(), times, 0), 0);
    fs::permissions(src, fs::perms::owner_read | fs::perms::group_read);
    MakeArchive("dated.pck", {src});

    const TCentralDirEntry& e = Man.CentralDir().Entries[0];
    EXPECT_EQ(e.Header.Attributes, 33);
    EXPECT_EQ(static_cast<uint32_t>(e.Header.DateTime),
              (21u << 25) | (2u << 21) | (3u << 16) | (4u << 11) | (5u << 5) | 3u);
    ExtractAllSilently();
    struct stat st {};
    ASSERT_EQ(::stat((Dir / "out" / "dated.txt").c_str(), &st), 0);
    EXPECT_EQ(st.st_mtime, when);
    EXPECT_EQ(st.st_mode & S_IWUSR, 0u);
    // A second extraction over the read-only copy goes through when silent.
    ExtractAllSilently();
    EXPECT_EQ(Extracted.Count, 1);
    EXPECT_TRUE(Ui.Questions.empty());
}

TEST_F(ManagerTest, ExistingDestinationIsOverwrittenOnlyAfterYes) {
    MakeArchive("over.pck", {Source("o.txt", std::string("archived"))});
    const fs::path dest = Dir / "out" / "o.txt";
    Man.SetExtractFolder((Dir / "out").string());
    const auto& entries = Man.CentralDir().Entries;

    WriteFile(dest, std::string("mine"));
    Ui.Answers = {TArchiveAnswer::No};
    EXPECT_EQ(Man.ExtractEntries(entries).Count, 0);
    EXPECT_EQ(ReadFile(dest), TBytes({'m', 'i', 'n', 'e'}));
    EXPECT_TRUE(Logged("ArchiveMan: Destination file exists. File not extracted."));

    Ui.Answers = {TArchiveAnswer::Cancel};
    try {
        Man.ExtractEntries(entries);
        FAIL() << "no EUserCancel";
    } catch (const EUserCancel& e) {
        EXPECT_STREQ(e.what(), "Extract operation cancelled");
    }
    EXPECT_EQ(ReadFile(dest), TBytes({'m', 'i', 'n', 'e'}));

    Ui.Answers = {TArchiveAnswer::Yes};
    EXPECT_EQ(Man.ExtractEntries(entries).Count, 1);
    EXPECT_EQ(ReadFile(dest), TBytes({'a', 'r', 'c', 'h', 'i', 'v', 'e', 'd'}));
    ASSERT_EQ(Ui.Questions.size(), 3u);
    EXPECT_EQ(
        Ui.Questions[0],
        (TMessage{"The file " + dest.string() + " exists. Do you want to overwrite the file?", "Warning"}));
}

TEST_F(ManagerTest, DestinationInOtherLetterCaseIsReplacedNotDoubled) {
    MakeArchive("case.pck", {Source("data.txt", std::string("new"))});
    WriteFile(Dir / "out" / "DATA.TXT", std::string("old"));
    ExtractAllSilently();
    EXPECT_EQ(OutFiles(), std::vector<std::string>{"DATA.TXT"});
    EXPECT_EQ(ReadFile(Dir / "out" / "DATA.TXT"), TBytes({'n', 'e', 'w'}));
}

TEST_F(ManagerTest, ProgressRunsPerBlock) {
    MakeArchive("progress.pck", {Source("two.bin", SampleBytes(409601, 7))});
    ProgressValues.clear();
    ExtractAllSilently();
    EXPECT_EQ(ProgressValues, (std::vector<int>{0, 50, 100}));
    EXPECT_TRUE(Logged("ArchiveMan: Total number of blocks - 2"));
    EXPECT_TRUE(Logged("ArchiveMan: Block 1 Expand and CRC32 Check OK."));
    EXPECT_TRUE(Logged("ArchiveMan: Extracting " + (Dir / "out" / "two.bin").string()));
}

TEST_F(ManagerTest, StoredNamesNeverLeaveTheDestination) {
    const std::string outside = (Dir / "outside.txt").string();
    const std::vector<std::string> names = {"..\\..\\evil", outside, "..",    "a/../../b", "",
                                            "...",          "dir\\", "ok.txt"};
    std::vector<fs::path> sources;
    for (size_t i = 0; i < names.size(); ++i)
        sources.push_back(Source("f" + std::to_string(i), "payload " + std::to_string(i)));
    const fs::path archive = MakeArchive("names.pck", sources);
    Man.CloseArchive();
    RewriteDirectory(archive, [&](std::vector<TCentralDirEntry>& entries) {
        for (size_t i = 0; i < names.size(); ++i)
            entries[i].SetStoredName(names[i]);
    });
    Man.OpenArchive(archive.string(), false);
    const auto listing = Dir.Listing();
    ExtractAllSilently();

    // Only the file-name part is used, so paths land inside; names with no usable file-name
    // part are refused one by one and the rest still comes out.
    EXPECT_EQ(OutFiles(), (std::vector<std::string>{"b", "evil", "ok.txt", "outside.txt"}));
    EXPECT_EQ(Extracted.Count, 4);
    EXPECT_EQ(Dir.Listing(), listing);
    EXPECT_FALSE(fs::exists(outside));
    for (const char* refused : {"..", "", "...", "dir\\"})
        EXPECT_TRUE(Ui.Told(std::string("Cannot extract '") + refused +
                            "': the stored name does not give a file name. The file is skipped."))
            << refused;
    EXPECT_EQ(ReadFile(Dir / "out" / "b"), TBytes({'p', 'a', 'y', 'l', 'o', 'a', 'd', ' ', '3'}));
    EXPECT_EQ(ReadFile(Dir / "out" / "ok.txt"), TBytes({'p', 'a', 'y', 'l', 'o', 'a', 'd', ' ', '7'}));
}

class DamagedArchive : public ManagerTest {
protected:
    // "two.bin" of two blocks, then "next.txt".
    void SetUp() override {
        Two = SampleBytes(409600 + 5000, 8);
        Archive =
            MakeArchive("damaged.pck", {Source("two.bin", Two), Source("next.txt", std::string("next"))});
        Man.CloseArchive();
        Bytes = ReadFile(Archive);
        Block0 = static_cast<size_t>(4);
        Coded0 = ReadU32At(Bytes, Block0 + 8);
    }
    void Reopen(const TBytes& bytes) {
        WriteFile(Archive, bytes);
        Man.OpenArchive(Archive.string(), false);
    }
    TBytes Two, Bytes;
    fs::path Archive;
    size_t Block0 = 0;
    uint32_t Coded0 = 0;
};

// A changed byte in a coded stream could in principle decode to wrong bytes under a failing CRC-32;
// these changes all leave a stream that no encoder gives, which the decoder finds before the end of the
// block: the file is reported and removed, and the next entry still comes out whole.
TEST_F(DamagedArchive, FlippedCodedByteIsReportedAndTheRestStillReads) {
    const struct {
        size_t Offset;
        std::string Reason;
    } cases[] = {
        {0, "Corrupt block: undecodable symbol."},
        {1, "Corrupt block: undecodable symbol."},
        {Coded0 / 2, "Corrupt block: undecodable symbol."},
        {Coded0 - 3, "Corrupt block: block too long."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("flipped coded byte " + std::to_string(c.Offset));
        TBytes b = Bytes;
        b[Block0 + 20 + c.Offset] ^= 0xFF;
        Reopen(b);
        Ui.Messages.clear();
        Log.clear();
        fs::remove_all(Dir / "out");
        fs::create_directories(Dir / "out");
        EXPECT_FALSE(Man.TestEntry(Man.CentralDir().Entries[0]));
        Ui.Messages.clear();
        ExtractAllSilently();

        EXPECT_EQ(OutFiles(), std::vector<std::string>{"next.txt"});
        EXPECT_EQ(ReadFile(Dir / "out" / "next.txt"), TBytes({'n', 'e', 'x', 't'}));
        EXPECT_EQ(Extracted.Count, 1);
        EXPECT_EQ(Ui.Messages,
                  (std::vector<TMessage>{{c.Reason + " File 'two.bin' could not be extracted.", "Error"}}));
        Man.CloseArchive();
    }
}

// Header fields that decode to the wrong bytes (or to the right bytes under a wrong checksum):
// the CRC-32 catches them, the bytes are still written and block 1 is read from its place.
TEST_F(DamagedArchive, CrcMismatchIsReportedAndNextBlockFollows) {
    for (size_t field : {size_t{4} /* CRC-32 */, size_t{12} /* primary index */}) {
        SCOPED_TRACE("header field at " + std::to_string(field));
        TBytes b = Bytes;
        WriteU32At(b, Block0 + field, ReadU32At(b, Block0 + field) + 1);
        Reopen(b);
        Ui.Messages.clear();
        Log.clear();
        ExtractAllSilently();
        EXPECT_EQ(Ui.Messages, (std::vector<TMessage>{{"CRC does not match!", ""}}));
        EXPECT_EQ(Extracted.Count, 2);
        const TBytes out = ReadFile(Dir / "out" / "two.bin");
        ASSERT_EQ(out.size(), Two.size());
        EXPECT_TRUE(std::equal(out.begin() + 409600, out.end(), Two.begin() + 409600));
        EXPECT_TRUE(Logged("ArchiveMan: Block 0 Expand Error."));
        EXPECT_TRUE(Logged("ArchiveMan: Block 1 Expand and CRC32 Check OK."));
        EXPECT_EQ(ReadFile(Dir / "out" / "next.txt"), TBytes({'n', 'e', 'x', 't'}));
        EXPECT_FALSE(Man.TestEntry(Man.CentralDir().Entries[0]));
        Man.CloseArchive();
    }
}

TEST_F(DamagedArchive, SizeThatBlocksDoNotGiveFailsThatFileOnly) {
    WriteFile(Archive, Bytes);
    RewriteDirectory(Archive,
                     [](std::vector<TCentralDirEntry>& entries) { entries[1].Header.UncompressedSize = 3; });
    Man.OpenArchive(Archive.string(), false);
    ExtractAllSilently();
    EXPECT_EQ(Extracted.Count, 1);
    EXPECT_EQ(OutFiles(), std::vector<std::string>{"two.bin"});
    const std::string stored = (Dir / "src" / "next.txt").string();
    EXPECT_EQ(Ui.Messages,
              (std::vector<TMessage>{{"Archive could be corrupted: the blocks of '" + stored +
                                          "' do not give 3 bytes. File 'next.txt' could not be extracted.",
                                      "Error"}}));
    EXPECT_FALSE(Man.TestEntry(Man.CentralDir().Entries[1]));
}

TEST_F(DamagedArchive, ImpossibleCodedLengthFailsThatFileOnly) {
    TBytes b = Bytes;
    WriteU32At(b, Block0 + 8, 0xFFFFFFF0u);
    Reopen(b);
    ExtractAllSilently();
    EXPECT_EQ(Extracted.Count, 1);
    EXPECT_EQ(OutFiles(), std::vector<std::string>{"next.txt"});
    ASSERT_EQ(Ui.Messages.size(), 1u);
    EXPECT_EQ(Ui.Messages[0].Caption, "Error");
}

TEST_F(DamagedArchive, WrongBlockSignatureStopsExtractionAndLeavesNothing) {
    TBytes b = Bytes;
    const size_t block1 = Block0 + 20 + Coded0;
    ASSERT_EQ(b[block1], 'D');
    b[block1 + 3] = 'X';
    Reopen(b);
    Man.SetExtractFolder((Dir / "out").string());
    try {
        Man.ExtractEntries(Man.CentralDir().Entries);
        FAIL() << "no ESignatureWrong";
    } catch (const ESignatureWrong& e) {
        EXPECT_STREQ(e.what(), "Wrong Signature. Archive could be corrupted.");
    }
    EXPECT_TRUE(OutFiles().empty());
}

TEST_F(DamagedArchive, CraftedDirectoryIsRefusedAtOpenAndManagerCarriesOn) {
    TBytes b = Bytes;
    WriteU32At(b, b.size() - 4, 0x7FFFFFF0);
    WriteFile(Archive, b);
    EXPECT_THROW(Man.OpenArchive(Archive.string(), false), ECorruptArchive);
    EXPECT_FALSE(Man.IsOpen());
    Reopen(Bytes);
    EXPECT_EQ(Man.CentralDir().Entries.size(), 2u);
}

} // namespace
