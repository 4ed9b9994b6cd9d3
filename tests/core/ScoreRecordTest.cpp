// The score record of "Upload Score" and the marker that lets the score of a saved game be
// uploaded once.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "archive/ArchiveFile.h"
#include "archive/ArchiveManager.h"
#include "archive/ArchiveUi.h"
#include "archive/Resource.h"
#include "persist/ScoreRecord.h"
#include "state/GameCore.h"
#include "state/Records.h"

namespace fs = std::filesystem;

namespace {

std::string ReadFile(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void WriteFile(const fs::path& file, const std::string& bytes) {
    fs::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary | std::ios::trunc) << bytes;
}

class TScoreRecordTest : public ::testing::Test {
protected:
    TScoreRecordTest() {
        std::string pattern = (fs::temp_directory_path() / "quillon-score-XXXXXX").string();
        if (!mkdtemp(pattern.data())) throw std::runtime_error("cannot create a temporary folder");
        Data = pattern + "/";
        Company = BlankRecord<TCompany>();
        Company.PlayerName = "Ada";
        Company.CompanyName = "Byte Works";
        Company.Difficulty = 2;
        Company.Money = -1234;
        Company.Year = 1994;
        Company.Week = 51;
        Company.Crises = 3;
        Company.StartStamp = 0x3A2B1C0D;
    }
    ~TScoreRecordTest() override {
        std::error_code ignored;
        fs::remove_all(Data, ignored);
    }

    // A save archive holding one member, as a saved game leaves it.
    void MakeSave() {
        WriteFile(Data + "QlSave/company.sav", "company bytes");
        TResource resource(Ui);
        resource.Silence();
        ASSERT_TRUE(resource.CompressToArchive("company.sav", SaveArchiveOf(Data)));
        fs::remove(Data + "QlSave/company.sav");
    }

    std::vector<std::string> Members() {
        TArchiveManager manager(Ui);
        manager.OpenArchive(SaveArchiveOf(Data), false);
        std::vector<std::string> names;
        for (const TCentralDirEntry& entry : manager.CentralDir().Entries)
            names.push_back(entry.StoredName());
        manager.CloseArchive();
        return names;
    }

    std::vector<std::string> LooseFiles() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(Data + "QlSave"))
            if (entry.path().filename() != "sav.sav") names.push_back(entry.path().filename().string());
        return names;
    }

    std::string Data;
    TCompany Company;
    TQuietArchiveUi Ui{TArchiveAnswer::No, false};
};

TEST_F(TScoreRecordTest, TheRecordIsOneLineOfNineTabSeparatedFields) {
    EXPECT_EQ(ScoreRecordLine(Company, 4321, "Version 0.1.0"),
              "Ada\tByte Works\t2\t-1234\t1994\t51\t3\tVersion 0.1.0\t4321\r\n");
    // The game's code page passes through as it is; a tab in a name cannot split a field.
    Company.PlayerName = "Ren\xE9\tX";
    EXPECT_EQ(ScoreRecordLine(Company, 0, "V"), "Ren\xE9 X\tByte Works\t2\t-1234\t1994\t51\t3\tV\t0\r\n");
}

TEST_F(TScoreRecordTest, TheRecordFileIsNamedAfterItsStamp) {
    const int32_t stamp = UnixTimeToDosDateTime(1'700'000'000);
    const std::string path = WriteScoreRecord(Data, Company, 4321, "Version 0.1.0", stamp);
    EXPECT_EQ(path, Data + std::to_string(stamp) + ".zlb");
    EXPECT_EQ(ReadFile(path), ScoreRecordLine(Company, 4321, "Version 0.1.0"));
    EXPECT_EQ(ScoreRecordName(stamp), std::to_string(stamp) + ".zlb");

    // The stamp of now decodes to a time within the last minute.
    int64_t decoded = 0;
    ASSERT_TRUE(DosDateTimeToUnixTime(ScoreStampNow(), decoded));
    EXPECT_LE(std::llabs(decoded - static_cast<int64_t>(std::time(nullptr))), 60);
}

TEST_F(TScoreRecordTest, ARecordThatCannotBeWrittenRaisesAnError) {
    EXPECT_THROW(WriteScoreRecord(Data + "no/such/folder", Company, 1, "V", 1), EGameRange);
}

TEST_F(TScoreRecordTest, AGameNeverLoadedUploadsWithoutAMarker) {
    MakeSave();
    const std::string before = ReadFile(SaveArchiveOf(Data));
    for (int attempt = 0; attempt < 2; ++attempt) {
        const TUploadPermission permission = MarkScoreUpload(Data, Company, false, Ui);
        EXPECT_TRUE(permission.Allowed);
    }
    EXPECT_EQ(ReadFile(SaveArchiveOf(Data)), before);
    EXPECT_TRUE(LooseFiles().empty());
}

TEST_F(TScoreRecordTest, ALoadedSaveUploadsOnceAndThenIsRefused) {
    MakeSave();
    const TUploadPermission first = MarkScoreUpload(Data, Company, true, Ui);
    EXPECT_TRUE(first.Allowed);
    EXPECT_EQ(Members(), (std::vector<std::string>{"company.sav", "1_UPT.sav"}));
    EXPECT_TRUE(LooseFiles().empty());

    // The marker holds the game's start stamp.
    TResource resource(Ui);
    resource.Silence();
    fs::create_directories(Data + "out");
    ASSERT_EQ(resource.DecompressFromArchive(SaveArchiveOf(Data), Data + "out", "1_upt.sav"), 1);
    EXPECT_EQ(ReadFile(Data + "out/1_UPT.sav"), std::to_string(Company.StartStamp) + "\r\n");

    // The same save loaded in a later run.
    const TUploadPermission second = MarkScoreUpload(Data, Company, true, Ui);
    EXPECT_FALSE(second.Allowed);
    EXPECT_EQ(second.Text, "Game has already been upload to the highscore once");
    EXPECT_EQ(second.Caption, "No upload");
    EXPECT_EQ(Members().size(), 2u);
    EXPECT_TRUE(LooseFiles().empty());
}

TEST_F(TScoreRecordTest, AStrayMarkerBesideTheArchiveDoesNotCount) {
    MakeSave();
    WriteFile(Data + "QlSave/1_upt.sav", "12345\r\n");
    EXPECT_TRUE(MarkScoreUpload(Data, Company, true, Ui).Allowed);
    EXPECT_EQ(Members(), (std::vector<std::string>{"company.sav", "1_UPT.sav"}));
}

TEST_F(TScoreRecordTest, WithoutASaveThereIsNothingToMark) {
    EXPECT_TRUE(MarkScoreUpload(Data, Company, true, Ui).Allowed);
    EXPECT_FALSE(fs::exists(Data + "QlSave"));
}

} // namespace
