// Putting a downloaded program archive in place: the old program kept as quillon.old, the
// archive unpacked by the archive library's rules, and a bad archive never leaving the game
// without a program.
#include <gtest/gtest.h>

#include "OnlineTestSupport.h"
#include "archive/ArchiveUi.h"
#include "archive/Resource.h"
#include "online/ProgramUpdate.h"

using namespace online_test;

namespace {

class TProgramUpdateTest : public ::testing::Test {
protected:
    TProgramUpdateTest() {
        WriteFile(Program() / "quillon", "old program");
        fs::permissions(Program() / "quillon", fs::perms(0755));
        fs::create_directories(Stage());
    }

    fs::path Program() const { return Root.Path / "games" / "quillon"; }
    fs::path Stage() const { return Root.Path / "stage"; }
    fs::path Archive() const { return Stage() / "quillon.pck"; }
    std::string Executable() const { return (Program() / "quillon").string(); }

    // Packs files given relative to the stage folder, stored under those names.
    void Pack(const std::vector<std::pair<std::string, std::string>>& files) {
        TResource resource(Ui);
        resource.Silence();
        for (const auto& [name, bytes] : files) {
            WriteFile(Stage() / name, bytes);
            ASSERT_TRUE(resource.CompressToArchive(name, Archive().string())) << name;
        }
    }

    TProgramUpdate Apply() {
        return ApplyProgramUpdate(Archive().string(), Program().string(), Executable(), Ui);
    }

    TTempFolder Root;
    TQuietArchiveUi Ui{TArchiveAnswer::Yes, false};
};

TEST_F(TProgramUpdateTest, KeepsTheOldProgramAndUnpacksTheNewOne) {
    WriteFile(Program() / "quillon.old", "a program from an earlier update");
    Pack({{"quillon", "new program"}, {"NEWS.txt", "what is new"}});
    const TProgramUpdate update = Apply();

    EXPECT_EQ(update.Kind, TProgramUpdateKind::Applied) << update.Text;
    EXPECT_EQ(update.Executable, Executable());
    EXPECT_EQ(ReadFile(Program() / "quillon"), "new program");
    EXPECT_EQ(ReadFile(Program() / "quillon.old"), "old program");
    EXPECT_EQ(ReadFile(Program() / "NEWS.txt"), "what is new");
    // The new program can be started as the old one was.
    EXPECT_NE(fs::status(Program() / "quillon").permissions() & fs::perms::owner_exec, fs::perms::none);
}

TEST_F(TProgramUpdateTest, StoredFoldersAreDroppedSoNothingLandsOutsideTheProgramFolder) {
    Pack({{"payload/quillon", "new program"}});
    WriteFile(Root.Path / "escape.txt", "outside");
    {
        TResource resource(Ui);
        resource.Silence();
        ASSERT_TRUE(resource.CompressToArchive("../escape.txt", Archive().string()));
    }
    fs::remove(Root.Path / "escape.txt");
    const TProgramUpdate update = Apply();

    EXPECT_EQ(update.Kind, TProgramUpdateKind::Applied) << update.Text;
    EXPECT_EQ(ReadFile(Program() / "quillon"), "new program");
    EXPECT_EQ(ReadFile(Program() / "escape.txt"), "outside");
    EXPECT_FALSE(fs::exists(Program() / "payload"));
    EXPECT_FALSE(fs::exists(Root.Path / "escape.txt"));
    EXPECT_FALSE(fs::exists(Root.Path / "games" / "escape.txt"));
}

TEST_F(TProgramUpdateTest, AnArchiveWithoutTheProgramPutsTheOldOneBack) {
    Pack({{"NEWS.txt", "what is new"}});
    const TProgramUpdate update = Apply();
    EXPECT_EQ(update.Kind, TProgramUpdateKind::Failed);
    EXPECT_NE(update.Text.find("holds no quillon"), std::string::npos) << update.Text;
    EXPECT_EQ(update.Executable, Executable());
    EXPECT_EQ(ReadFile(Program() / "quillon"), "old program");
}

TEST_F(TProgramUpdateTest, ADamagedArchiveChangesNothing) {
    Pack({{"quillon", std::string(5000, 'n')}});
    // Flip bytes inside the packed data, past the signature.
    std::string bytes = ReadFile(Archive());
    for (size_t i = 8; i < 40 && i < bytes.size(); ++i)
        bytes[i] = static_cast<char>(bytes[i] ^ 0x5A);
    WriteFile(Archive(), bytes);
    const TProgramUpdate update = Apply();
    EXPECT_EQ(update.Kind, TProgramUpdateKind::Failed);
    EXPECT_NE(update.Text.find("cannot be used"), std::string::npos) << update.Text;
    EXPECT_EQ(ReadFile(Program() / "quillon"), "old program");
    EXPECT_FALSE(fs::exists(Program() / "quillon.old"));
}

TEST_F(TProgramUpdateTest, AProgramFolderThatCannotBeWrittenIsLeftAlone) {
    Pack({{"quillon", "new program"}});
    // No one, root included, may create files in /proc: it stands for an installed game's
    // program folder.
    const TProgramUpdate update = ApplyProgramUpdate(Archive().string(), "/proc", "/proc/quillon", Ui);
    EXPECT_EQ(update.Kind, TProgramUpdateKind::FolderNotWritable);
    EXPECT_NE(update.Text.find(Archive().string()), std::string::npos) << update.Text;
    EXPECT_TRUE(fs::exists(Archive()));
}

TEST_F(TProgramUpdateTest, NoArchiveNothingToDo) {
    const TProgramUpdate update = Apply();
    EXPECT_EQ(update.Kind, TProgramUpdateKind::NoArchive);
    EXPECT_EQ(ReadFile(Program() / "quillon"), "old program");
}

} // namespace
