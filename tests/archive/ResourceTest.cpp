// The component the game calls: one file in, one or all files out, with its notices, its
// silencing switch and its events.
#include "ArchiveTestSupport.h"

#include "archive/ArchiveErrors.h"
#include "archive/Resource.h"

#include <gtest/gtest.h>

using namespace archive_test;

namespace {

class ResourceTest : public testing::Test {
protected:
    ResourceTest() : Res(Ui) {
        Res.OnAddLog = [this](TResource& sender, const std::string& text) {
            EXPECT_EQ(&sender, &Res);
            Log.push_back(text);
        };
        Res.OnCentralDirChange = [this](TResource& sender) {
            EXPECT_EQ(&sender, &Res);
            ++DirChanges;
        };
        fs::create_directories(Dir / "out");
    }
    fs::path Put(const std::string& name, const std::string& text) {
        const fs::path p = Dir / name;
        WriteFile(p, text);
        return p;
    }
    std::string ArchiveName() const { return (Dir / "sav.sav").string(); }

    TScratchDir Dir;
    TRecordingUi Ui;
    TResource Res;
    std::vector<std::string> Log;
    int DirChanges = 0;
};

TEST_F(ResourceTest, CompressCreatesMissingArchiveAndSaysSo) {
    EXPECT_TRUE(Res.CompressToArchive(Put("1_Pub.sav", "pub").string(), ArchiveName()));
    EXPECT_EQ(Ui.Messages,
              (std::vector<TMessage>{{"Resource.CompressToArchive: One file added to archive.", "Error"}}));
    EXPECT_TRUE(Ui.Questions.empty()) << "a missing archive is created without asking";
    EXPECT_FALSE(Res.Manager.IsOpen());
    EXPECT_EQ(Ui.BusyChanges, (std::vector<bool>{true, false}));

    const TCentralDir dir = ReadDirectory(ArchiveName());
    ASSERT_EQ(dir.Entries.size(), 1u);
    EXPECT_EQ(dir.Entries[0].Header.DataOffset, 4);
    EXPECT_EQ(dir.Entries[0].StoredName(), (Dir / "1_Pub.sav").string());
    EXPECT_GE(DirChanges, 1);
    ASSERT_FALSE(Log.empty());
    for (const std::string& line : Log)
        EXPECT_EQ(line.rfind("ArchiveMan: ", 0), 0u) << line;
}

TEST_F(ResourceTest, CompressReportsFileThatWasNotAdded) {
    EXPECT_FALSE(Res.CompressToArchive((Dir / "missing.sav").string(), ArchiveName()));
    ASSERT_EQ(Ui.Messages.size(), 2u);
    EXPECT_EQ(Ui.Messages[1], (TMessage{"Resource.CompressToArchive: Error No Files Added", "Error"}));
    EXPECT_EQ(fs::file_size(ArchiveName()), 16u) << "the archive was still created";
}

TEST_F(ResourceTest, CompressRefusesWhileAnArchiveIsOpen) {
    Res.Manager.OpenArchive(ArchiveName(), false);
    EXPECT_FALSE(Res.CompressToArchive(Put("x.sav", "x").string(), ArchiveName()));
    EXPECT_EQ(Ui.Messages, (std::vector<TMessage>{
                               {"Resource: ArchiveMan cannot be opened to use CompressToArchive", "Error"}}));
    EXPECT_TRUE(Res.Manager.IsOpen()) << "the operation in progress keeps its archive";
    EXPECT_TRUE(Res.Manager.CentralDir().Entries.empty());
}

TEST_F(ResourceTest, SilenceHidesNoticesButNotTheDuplicateQuestion) {
    Res.Silence();
    EXPECT_FALSE(Res.ShowMessages());
    const fs::path first = Put("dup.txt", "first");
    EXPECT_TRUE(Res.CompressToArchive(first.string(), ArchiveName()));
    fs::create_directories(Dir / "other");
    const fs::path second = Dir / "other" / "DUP.TXT";
    WriteFile(second, std::string("second"));

    Ui.Answers = {TArchiveAnswer::No};
    EXPECT_FALSE(Res.CompressToArchive(second.string(), ArchiveName()));
    Ui.Answers = {TArchiveAnswer::Yes};
    EXPECT_TRUE(Res.CompressToArchive(second.string(), ArchiveName()));

    EXPECT_TRUE(Ui.Messages.empty());
    ASSERT_EQ(Ui.Questions.size(), 2u);
    EXPECT_EQ(
        Ui.Questions[0],
        (TMessage{
            "A file of name 'DUP.TXT' already exists in the archive. Do you still want to add the file?",
            "Confirmation"}));
    EXPECT_EQ(Ui.QuestionButtons[0], TArchiveButtons::YesNo);
    EXPECT_EQ(ReadDirectory(ArchiveName()).Entries.size(), 2u);

    // By name, the first of the two comes out.
    EXPECT_EQ(Res.DecompressFromArchive(ArchiveName(), (Dir / "out").string(), "Dup.Txt"), 1);
    EXPECT_EQ(ReadFile(Dir / "out" / "dup.txt"), TBytes({'f', 'i', 'r', 's', 't'}));
    EXPECT_FALSE(fs::exists(Dir / "out" / "DUP.TXT"));
}

TEST_F(ResourceTest, DecompressAllWritesEveryEntry) {
    Res.Silence();
    for (const char* name : {"a.sav", "b.sav", "c.sav"})
        ASSERT_TRUE(Res.CompressToArchive(Put(name, name).string(), ArchiveName()));
    Res.SetShowMessages(true);
    EXPECT_EQ(Res.DecompressFromArchive(ArchiveName(), (Dir / "out").string()), 3);
    for (const char* name : {"a.sav", "b.sav", "c.sav"})
        EXPECT_EQ(ReadFile(Dir / "out" / name), TBytes(name, name + 5));
    EXPECT_TRUE(Ui.Messages.empty());
    EXPECT_FALSE(Res.Manager.IsOpen());
}

TEST_F(ResourceTest, MissingNameExtractsNothingAndSaysSoWhenMessagesAreOn) {
    Res.Silence();
    ASSERT_TRUE(Res.CompressToArchive(Put("here.txt", "here").string(), ArchiveName()));
    EXPECT_EQ(Res.DecompressFromArchive(ArchiveName(), (Dir / "out").string(), "gone.txt"), 0);
    EXPECT_TRUE(Ui.Messages.empty());

    Res.SetShowMessages(true);
    EXPECT_EQ(Res.DecompressFromArchive(ArchiveName(), (Dir / "out").string(), "gone.txt"), 0);
    EXPECT_EQ(Ui.Messages, (std::vector<TMessage>{{"Error: No files extracted", ""}}));
    EXPECT_TRUE(fs::is_empty(Dir / "out"));
}

TEST_F(ResourceTest, MissingArchiveIsReportedNotCreated) {
    EXPECT_EQ(Res.DecompressFromArchive((Dir / "none.pck").string(), (Dir / "out").string()), 0);
    EXPECT_EQ(Ui.Messages, (std::vector<TMessage>{
                               {"Resource.DecompressFromArchive: Archive file does not exist.", "Error"}}));
    EXPECT_FALSE(fs::exists(Dir / "none.pck"));
    EXPECT_TRUE(Ui.Questions.empty());
}

TEST_F(ResourceTest, SilentExtractionOverwritesReadOnlyFile) {
    Res.Silence();
    ASSERT_TRUE(Res.CompressToArchive(Put("1_Com.sav", "fresh").string(), ArchiveName()));
    const fs::path dest = Dir / "out" / "1_Com.sav";
    WriteFile(dest, std::string("stale"));
    fs::permissions(dest, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);

    EXPECT_EQ(Res.DecompressFromArchive(ArchiveName(), (Dir / "out").string(), "1_com.sav"), 1);
    EXPECT_EQ(ReadFile(dest), TBytes({'f', 'r', 'e', 's', 'h'}));
    EXPECT_TRUE(Ui.Questions.empty());
    EXPECT_NE(fs::status(dest).permissions() & fs::perms::owner_write, fs::perms::none)
        << "the stored attributes (archive, not read-only) are applied";
}

TEST_F(ResourceTest, WrongSignatureReachesCallerWithArchiveClosed) {
    WriteFile(Dir / "Database.pck", std::string("PK\x03\x04 not ours"));
    try {
        Res.DecompressFromArchive((Dir / "Database.pck").string(), (Dir / "out").string());
        FAIL() << "no ESignatureWrong";
    } catch (const ESignatureWrong& e) {
        EXPECT_STREQ(e.what(), "Wrong Signature. Archive could be corrupted.");
    }
    EXPECT_FALSE(Res.Manager.IsOpen());
    EXPECT_TRUE(Ui.BusyChanges.empty() || Ui.BusyChanges.back() == false);
    EXPECT_THROW(Res.CompressToArchive(Put("x.txt", "x").string(), (Dir / "Database.pck").string()),
                 ESignatureWrong);
    EXPECT_FALSE(Res.Manager.IsOpen());
}

TEST_F(ResourceTest, CancelledOverwriteReachesCallerAfterClosing) {
    ASSERT_TRUE(Res.CompressToArchive(Put("c.txt", "new").string(), ArchiveName()));
    WriteFile(Dir / "out" / "c.txt", std::string("old"));
    Ui.Answers = {TArchiveAnswer::Cancel};
    EXPECT_THROW(Res.DecompressFromArchive(ArchiveName(), (Dir / "out").string()), EUserCancel);
    EXPECT_FALSE(Res.Manager.IsOpen());
    EXPECT_EQ(Ui.BusyChanges.back(), false);
    EXPECT_EQ(ReadFile(Dir / "out" / "c.txt"), TBytes({'o', 'l', 'd'}));
}

} // namespace
