// The container layer alone: stored-name handling, directory reading and writing, and the
// refusal of directories that cannot be right.
#include "ArchiveTestSupport.h"

#include "archive/ArchiveErrors.h"
#include "archive/ArchiveFile.h"

#include <gtest/gtest.h>

#include <ctime>

using namespace archive_test;

namespace {

// One file a.txt holding "banana", date-time 0, attributes 32.
const TBytes BananaArchive =
    Hex("51415243"
        "44415441 cf678b03 07000000 03000000 04000000 3f2d727ab9d165"
        "43464853 07000000 06000000 01000000 04000000 00000000 20000000 612e747874 00"
        "45434452 00400600 1f000000");

// Offsets inside BananaArchive.
constexpr size_t EntryAt = 31, CompressedAt = 35, UncompressedAt = 39, BlocksAt = 43, DataOffsetAt = 47,
                 NameEndAt = 64, DirOffsetAt = 73;

struct TNameCase {
    std::string Stored, Folder, FileName;
};

class StoredNameSplit : public testing::TestWithParam<TNameCase> {};

TEST_P(StoredNameSplit, FolderEndsAtLastSeparator) {
    const TNameCase& c = GetParam();
    TCentralDirEntry e;
    e.SetStoredName(c.Stored);
    EXPECT_EQ(e.Folder, c.Folder);
    EXPECT_EQ(e.FileName, c.FileName);
    EXPECT_EQ(e.StoredName(), c.Stored);
}

INSTANTIATE_TEST_SUITE_P(Names, StoredNameSplit,
                         testing::Values(TNameCase{"a.txt", "", "a.txt"},
                                         TNameCase{"C:\\Games\\Quillon\\QlSave\\1_Pub.sav",
                                                   "C:\\Games\\Quillon\\QlSave\\", "1_Pub.sav"},
                                         TNameCase{"C:sav.sav", "C:", "sav.sav"},
                                         TNameCase{"/home/p/.local/QlSave/2_Com.sav",
                                                   "/home/p/.local/QlSave/", "2_Com.sav"},
                                         TNameCase{"QlSave\\sub/x.txt", "QlSave\\sub/", "x.txt"},
                                         TNameCase{"..\\..\\evil", "..\\..\\", "evil"},
                                         TNameCase{"folder\\", "folder\\", ""}, TNameCase{"", "", ""}));

TEST(CentralDir, FindsFileNamesIgnoringCaseAndFolders) {
    TCentralDir dir;
    for (const char* stored : {"C:\\Q\\QlSave\\1_Pub.sav", "/x/datadiff.txt", "1_pub.sav"}) {
        TCentralDirEntry e;
        e.SetStoredName(stored);
        e.Header.UncompressedSize = static_cast<int32_t>(dir.Entries.size());
        dir.Entries.push_back(e);
    }
    for (const char* wanted : {"1_Pub.sav", "1_PUB.SAV", "1_pub.sav"}) {
        const TCentralDirEntry* e = dir.Find(wanted);
        ASSERT_NE(e, nullptr) << wanted;
        EXPECT_EQ(e->Header.UncompressedSize, 0) << "the first of equal names wins";
    }
    ASSERT_NE(dir.Find("DATADIFF.TXT"), nullptr);
    EXPECT_EQ(dir.Find("pub.sav"), nullptr);
    EXPECT_EQ(dir.Find("QlSave\\1_Pub.sav"), nullptr) << "only the file-name part is compared";
}

class ContainerFile : public testing::Test {
protected:
    fs::path Put(const TBytes& bytes) {
        const fs::path p = Dir / ("a" + std::to_string(Count++) + ".pck");
        WriteFile(p, bytes);
        return p;
    }
    TCentralDir Open(const TBytes& bytes) {
        TArchiveFile f(Put(bytes).string(), TFileMode::OpenRead);
        f.OpenExisting();
        return f.CentralDir;
    }
    TScratchDir Dir;
    int Count = 0;
};

TEST_F(ContainerFile, EmptyArchiveIsSixteenBytesAndReadsBackEmpty) {
    const fs::path p = Dir / "empty.rs";
    {
        TArchiveFile f(p.string(), TFileMode::Create);
        f.WriteEmptyArchive();
    }
    EXPECT_EQ(ReadFile(p), Hex("51415243 45434452 00400600 04000000"));
    const TCentralDir dir = Open(ReadFile(p));
    EXPECT_TRUE(dir.Entries.empty());
    EXPECT_EQ(dir.DirOffset, 4);
    EXPECT_EQ(dir.BlockSize, 409600);
}

TEST_F(ContainerFile, ReadsBananaDirectoryAndWritesItBackByteForByte) {
    const TCentralDir dir = Open(BananaArchive);
    ASSERT_EQ(dir.Entries.size(), 1u);
    const TCentralDirEntry& e = dir.Entries[0];
    EXPECT_EQ(e.FileName, "a.txt");
    EXPECT_EQ(e.Folder, "");
    EXPECT_EQ(e.Header.CompressedSize, 7);
    EXPECT_EQ(e.Header.UncompressedSize, 6);
    EXPECT_EQ(e.Header.BlockCount, 1);
    EXPECT_EQ(e.Header.DataOffset, 4);
    EXPECT_EQ(e.Header.DateTime, 0);
    EXPECT_EQ(e.Header.Attributes, 32);
    EXPECT_EQ(dir.DirOffset, 31);

    const fs::path p = Dir / "again.pck";
    {
        TArchiveFile f(p.string(), TFileMode::Create);
        f.Write(BananaArchive.data(), EntryAt);
        f.CentralDir = dir;
        f.WriteCentralDir();
    }
    EXPECT_EQ(ReadFile(p), BananaArchive);
}

TEST_F(ContainerFile, BlockSizeOfEndRecordIsReadButIgnored) {
    TBytes b = BananaArchive;
    WriteU32At(b, 69, 1234);
    const TCentralDir dir = Open(b);
    EXPECT_EQ(dir.BlockSize, 1234);
    EXPECT_EQ(dir.Entries.size(), 1u);
}

TEST_F(ContainerFile, ZeroLengthFileHasEmptyDirectoryButNoSignature) {
    const fs::path p = Put({});
    TArchiveFile f(p.string(), TFileMode::OpenRead);
    f.ReadCentralDir();
    EXPECT_TRUE(f.CentralDir.Entries.empty());
    EXPECT_THROW(f.OpenExisting(), ESignatureWrong);
}

TEST_F(ContainerFile, NegativeDirectoryOffsetMeansNoEntries) {
    TBytes b = BananaArchive;
    WriteU32At(b, DirOffsetAt, 0xFFFFFFFFu);
    EXPECT_TRUE(Open(b).Entries.empty());
}

TEST_F(ContainerFile, WrongArchiveSignatureHasThePlayerText) {
    TBytes b = BananaArchive;
    b[3] = 'X';
    try {
        Open(b);
        FAIL() << "no exception";
    } catch (const ESignatureWrong& e) {
        EXPECT_STREQ(e.what(), "Wrong Signature. Archive could be corrupted.");
    }
    EXPECT_THROW(Open(TBytes{'Q', 'A'}), ESignatureWrong);
}

enum class TRefusal { Signature, Corrupt, Either };

struct TCraftCase {
    const char* Name;
    std::function<void(TBytes&)> Craft;
    TRefusal Expect;
};

class CraftedDirectory : public ContainerFile, public testing::WithParamInterface<TCraftCase> {};

// Everything here must be refused while the directory is read, before any block is touched:
// an offset or count that passed would make extraction seek or allocate at random.
TEST_P(CraftedDirectory, IsRefusedWhileReading) {
    TBytes b = BananaArchive;
    GetParam().Craft(b);
    switch (GetParam().Expect) {
    case TRefusal::Signature:
        EXPECT_THROW(Open(b), ESignatureWrong);
        break;
    case TRefusal::Corrupt:
        EXPECT_THROW(Open(b), ECorruptArchive);
        break;
    case TRefusal::Either:
        EXPECT_THROW(Open(b), EArchiveError);
        break;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Crafted, CraftedDirectory,
    testing::Values(
        TCraftCase{"DirOffsetPastEnd", [](TBytes& b) { WriteU32At(b, DirOffsetAt, 0x7FFFFFFF); },
                   TRefusal::Corrupt},
        TCraftCase{"DirOffsetIntoEndRecord", [](TBytes& b) { WriteU32At(b, DirOffsetAt, 70); },
                   TRefusal::Corrupt},
        TCraftCase{"DirOffsetInsideSignature", [](TBytes& b) { WriteU32At(b, DirOffsetAt, 2); },
                   TRefusal::Corrupt},
        TCraftCase{"HugeBlockCount", [](TBytes& b) { WriteU32At(b, BlocksAt, 0x7FFFFFFF); },
                   TRefusal::Corrupt},
        TCraftCase{"NegativeBlockCount", [](TBytes& b) { WriteU32At(b, BlocksAt, 0xFFFFFFFFu); },
                   TRefusal::Corrupt},
        TCraftCase{"HugeCompressedSize", [](TBytes& b) { WriteU32At(b, CompressedAt, 0x7FFFFFF0); },
                   TRefusal::Corrupt},
        TCraftCase{"SizeTooBigForBlocks", [](TBytes& b) { WriteU32At(b, UncompressedAt, 409601); },
                   TRefusal::Corrupt},
        TCraftCase{"NegativeSize", [](TBytes& b) { WriteU32At(b, UncompressedAt, 0x80000000u); },
                   TRefusal::Corrupt},
        TCraftCase{"DataOffsetPastEnd", [](TBytes& b) { WriteU32At(b, DataOffsetAt, 0x7FFFFFF0); },
                   TRefusal::Corrupt},
        TCraftCase{"BlocksRunIntoDirectory", [](TBytes& b) { WriteU32At(b, DataOffsetAt, 8); },
                   TRefusal::Corrupt},
        TCraftCase{"NameWithoutTerminator", [](TBytes& b) { b[NameEndAt] = 'x'; }, TRefusal::Either},
        TCraftCase{"NameRunsToEndOfFile",
                   [](TBytes& b) {
                       // The name swallows the end record; only the offset's zero bytes stop it.
                       b.resize(NameEndAt);
                       b.insert(b.end(), {'x', 'y', 'z', 0, 0, 0, 0});
                       WriteU32At(b, b.size() - 4, EntryAt);
                   },
                   TRefusal::Corrupt},
        TCraftCase{"TwoEntriesShareBlocks",
                   [](TBytes& b) {
                       // The entry twice, then the end record pointing at the first copy.
                       const TBytes entry(b.begin() + EntryAt, b.begin() + NameEndAt + 1);
                       const TBytes end(b.begin() + NameEndAt + 1, b.end());
                       b.resize(NameEndAt + 1);
                       b.insert(b.end(), entry.begin(), entry.end());
                       b.insert(b.end(), end.begin(), end.end());
                   },
                   TRefusal::Corrupt},
        TCraftCase{"UnknownHeaderInDirectory", [](TBytes& b) { b[EntryAt + 3] = 'X'; }, TRefusal::Signature},
        TCraftCase{"EndRecordCutOff", [](TBytes& b) { b.resize(70); }, TRefusal::Corrupt},
        TCraftCase{"OnlyTheSignature", [](TBytes& b) { b.resize(4); }, TRefusal::Corrupt}),
    [](const testing::TestParamInfo<TCraftCase>& info) { return std::string(info.param.Name); });

TEST(DosDateTime, PacksLocalTimeAndUnpacksIt) {
    std::tm lt{};
    lt.tm_year = 1994 - 1900;
    lt.tm_mon = 11;
    lt.tm_mday = 24;
    lt.tm_hour = 17;
    lt.tm_min = 45;
    lt.tm_sec = 31;
    lt.tm_isdst = -1;
    const std::time_t t = std::mktime(&lt);
    const int32_t packed = UnixTimeToDosDateTime(t);
    EXPECT_EQ(static_cast<uint32_t>(packed),
              (14u << 25) | (12u << 21) | (24u << 16) | (17u << 11) | (45u << 5) | 15u);
    int64_t back = 0;
    ASSERT_TRUE(DosDateTimeToUnixTime(packed, back));
    EXPECT_EQ(back, static_cast<int64_t>(t) - 1) << "two-second steps";
}

TEST(DosDateTime, UnusableValuesAreRecognised) {
    int64_t t = 0;
    EXPECT_FALSE(DosDateTimeToUnixTime(0, t)) << "month 0, day 0";
    EXPECT_FALSE(DosDateTimeToUnixTime(static_cast<int32_t>((1u << 21) | (1u << 16) | (24u << 11)), t));
    EXPECT_EQ(UnixTimeToDosDateTime(0), static_cast<int32_t>((1u << 21) | (1u << 16))) << "1970 pins to 1980";
}

} // namespace
