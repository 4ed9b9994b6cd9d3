// Putting a downloaded program archive in place: only the program is taken from it, through a
// staging folder, the old program kept as quillon.old; an archive that holds anything else,
// would unpack too far or is damaged changes nothing.
#include <gtest/gtest.h>

#include <map>

#include "OnlineTestSupport.h"
#include "archive/ArchiveUi.h"
#include "online/ProgramUpdate.h"

using namespace online_test;

namespace {

// Every file under the folder with its bytes.
std::map<std::string, std::string> Snapshot(const fs::path& folder) {
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(folder))
        files[entry.path().lexically_relative(folder).string()] =
            entry.is_regular_file() ? ReadFile(entry.path()) : "<folder>";
    return files;
}

class TProgramUpdateTest : public ::testing::Test {
protected:
    TProgramUpdateTest() {
        WriteFile(Program() / "quillon", "old program");
        WriteFile(Program() / "online.cfg", "UpdateServer = https://updates.example.org\n");
        fs::permissions(Program() / "quillon", fs::perms(0755));
    }

    fs::path Program() const { return Root.Path / "games" / "quillon"; }
    fs::path Archive() const { return Root.Path / "stage" / "quillon.pck"; }
    std::string Executable() const { return (Program() / "quillon").string(); }

    TProgramUpdate Apply(int64_t ceiling = ProgramSizeCeiling) {
        return ApplyProgramUpdate(Archive().string(), Program().string(), Executable(), Ui, ceiling);
    }

    TTempFolder Root;
    TQuietArchiveUi Ui{TArchiveAnswer::Yes, false};
};

TEST_F(TProgramUpdateTest, KeepsTheOldProgramAndPutsTheNewOneInPlace) {
    WriteFile(Program() / "quillon.old", "a program from an earlier update");
    PackArchive(Archive(), {{"quillon", "new program"}});
    const TProgramUpdate update = Apply();

    EXPECT_EQ(update.Kind, TProgramUpdateKind::Applied) << update.Text;
    EXPECT_EQ(update.Executable, Executable());
    EXPECT_EQ(ReadFile(Program() / "quillon"), "new program");
    EXPECT_EQ(ReadFile(Program() / "quillon.old"), "old program");
    // The new program can be started as the old one was, and the staging folder is gone.
    EXPECT_NE(fs::status(Program() / "quillon").permissions() & fs::perms::owner_exec, fs::perms::none);
    EXPECT_EQ(Snapshot(Program()).size(), 3u);
}

// What the archive holds, and why it is refused; the program folder stays as it was.
struct TRefusedCase {
    const char* Name;
    std::vector<std::pair<std::string, std::string>> Members;
    int64_t Ceiling;
    const char* Reason;
};

void PrintTo(const TRefusedCase& c, std::ostream* out) {
    *out << c.Name;
}

class TRefusedArchiveTest : public TProgramUpdateTest, public ::testing::WithParamInterface<TRefusedCase> {};

TEST_P(TRefusedArchiveTest, ChangesNothingInTheProgramFolder) {
    const TRefusedCase& c = GetParam();
    PackArchive(Archive(), c.Members);
    const auto before = Snapshot(Program());
    const TProgramUpdate update = Apply(c.Ceiling);
    EXPECT_EQ(update.Kind, TProgramUpdateKind::Failed);
    EXPECT_NE(update.Text.find(c.Reason), std::string::npos) << update.Text;
    EXPECT_EQ(update.Executable, Executable());
    EXPECT_EQ(Snapshot(Program()), before);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TRefusedArchiveTest,
    ::testing::Values(
        TRefusedCase{
            "OtherMembersBesideTheProgram",
            {{"quillon", "new program"}, {"online.cfg", "UpdateServer = http://evil"}, {"quillon.old", "x"}},
            ProgramSizeCeiling,
            "it holds other files than the program: online.cfg, quillon.old"},
        TRefusedCase{"NoProgram",
                     {{"NEWS.txt", "what is new"}},
                     ProgramSizeCeiling,
                     "it holds other files than the program: NEWS.txt"},
        TRefusedCase{"ProgramInAFolder",
                     {{"payload/quillon", "new program"}},
                     ProgramSizeCeiling,
                     "it holds other files than the program: payload/quillon"},
        // Three megabytes of zeros pack into a few kilobytes.
        TRefusedCase{"CompressionBomb",
                     {{"quillon", std::string(3 << 20, '\0')}},
                     1 << 20,
                     "the program would unpack to 3145728 bytes, more than the 1048576 allowed"}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST_F(TProgramUpdateTest, ADirectoryThatUnderstatesTheSizeIsRefusedBeforeDecoding) {
    PackArchive(Archive(), {{"quillon", std::string(3 << 20, '\0')}});
    // The central file header's size field (after "CFHS" and the compressed size) says 1000.
    std::string bytes = ReadFile(Archive());
    const size_t header = bytes.rfind("CFHS");
    ASSERT_NE(header, std::string::npos);
    const int32_t claimed = 1000;
    bytes.replace(header + 8, 4, reinterpret_cast<const char*>(&claimed), 4);
    WriteFile(Archive(), bytes);
    const auto before = Snapshot(Program());
    const TProgramUpdate update = Apply(1 << 20);
    EXPECT_EQ(update.Kind, TProgramUpdateKind::Failed);
    EXPECT_NE(update.Text.find("quillon has 8 blocks for 1000 bytes"), std::string::npos) << update.Text;
    EXPECT_EQ(Snapshot(Program()), before);
}

TEST_F(TProgramUpdateTest, ADamagedArchiveChangesNothing) {
    PackArchive(Archive(), {{"quillon", Pattern(5000, 4)}});
    // Flip bytes inside the packed data, past the signature.
    std::string bytes = ReadFile(Archive());
    for (size_t i = 8; i < 40 && i < bytes.size(); ++i)
        bytes[i] = static_cast<char>(bytes[i] ^ 0x5A);
    WriteFile(Archive(), bytes);
    const auto before = Snapshot(Program());
    const TProgramUpdate update = Apply();
    EXPECT_EQ(update.Kind, TProgramUpdateKind::Failed);
    EXPECT_NE(update.Text.find("cannot be used"), std::string::npos) << update.Text;
    EXPECT_EQ(Snapshot(Program()), before);
}

TEST_F(TProgramUpdateTest, AFailedMovePutsTheOldProgramBack) {
    // The staged program is gone by the time it should move: the old one must be back.
    std::string problem;
    EXPECT_FALSE(ReplaceProgram((Root.Path / "missing").string(), Executable(),
                                (Program() / "quillon.old").string(), problem));
    EXPECT_NE(problem.find("cannot be moved into place"), std::string::npos) << problem;
    EXPECT_EQ(ReadFile(Program() / "quillon"), "old program");
    EXPECT_NE(fs::status(Program() / "quillon").permissions() & fs::perms::owner_exec, fs::perms::none);
}

TEST_F(TProgramUpdateTest, AProgramFolderThatCannotBeWrittenIsLeftAlone) {
    PackArchive(Archive(), {{"quillon", "new program"}});
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
