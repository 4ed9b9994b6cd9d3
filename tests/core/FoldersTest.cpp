// Where the game's files are, installed or run from its build folder, and which game database
// it reads when a downloaded one lies in the player's folder.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "archive/ArchiveUi.h"
#include "archive/Resource.h"
#include "start/GameDatabase.h"
#include "start/Folders.h"

namespace fs = std::filesystem;

namespace {

class TTempFolder : public ::testing::Test {
protected:
    TTempFolder() {
        std::string pattern = (fs::temp_directory_path() / "quillon-folders-XXXXXX").string();
        if (!mkdtemp(pattern.data())) throw std::runtime_error("cannot create a temporary folder");
        Root = pattern + "/";
    }
    ~TTempFolder() override {
        std::error_code ignored;
        fs::remove_all(Root, ignored);
    }
    static void WriteFile(const fs::path& file, const std::string& bytes) {
        fs::create_directories(file.parent_path());
        std::ofstream(file, std::ios::binary | std::ios::trunc) << bytes;
    }
    std::string Root;
};

using FoldersTest = TTempFolder;

struct TFolderCase {
    const char* What;
    const char* DatabaseBeside; // where Database.pck is put, relative to Root; "" for none
    const char* Executable;     // the executable's folder, relative to Root
    TUserEnvironment Environment;
    bool Installed;
    const char* Program; // expected, relative to Root
    const char* Data;    // expected; absolute when it starts with '/'
    const char* Config;
};

TEST_F(FoldersTest, InstalledOnlyWhenTheSharedDataFolderLiesBesideTheExecutable) {
    const std::vector<TFolderCase> cases = {
        {"a build folder keeps everything beside itself",
         "build/Database.pck",
         "build",
         {"/home/ada", "", ""},
         false,
         "build/",
         "build/",
         "build/"},
        {"an installed game reads the prefix and writes into the home",
         "usr/share/quillon/Database.pck",
         "usr/bin",
         {"/home/ada", "", ""},
         true,
         "usr/share/quillon/",
         "/home/ada/.local/share/quillon/",
         "/home/ada/.config/quillon/"},
        {"any prefix, any letter case of the database",
         "opt/q/share/quillon/database.PCK",
         "opt/q/bin",
         {"/home/ada/", "", ""},
         true,
         "opt/q/share/quillon/",
         "/home/ada/.local/share/quillon/",
         "/home/ada/.config/quillon/"},
        {"the XDG folders when they are set",
         "usr/share/quillon/Database.pck",
         "usr/bin",
         {"/home/ada", "/data/ada", "/conf/ada/"},
         true,
         "usr/share/quillon/",
         "/data/ada/quillon/",
         "/conf/ada/quillon/"},
        {"relative XDG folders count as unset",
         "usr/share/quillon/Database.pck",
         "usr/bin",
         {"/home/ada", "data", "conf"},
         true,
         "usr/share/quillon/",
         "/home/ada/.local/share/quillon/",
         "/home/ada/.config/quillon/"},
        {"a shared folder without the database is not an installation",
         "usr/share/quillon/readme.txt",
         "usr/bin",
         {"/home/ada", "", ""},
         false,
         "usr/bin/",
         "usr/bin/",
         "usr/bin/"},
    };
    for (const TFolderCase& c : cases) {
        SCOPED_TRACE(c.What);
        fs::remove_all(Root);
        fs::create_directories(Root + c.Executable);
        if (*c.DatabaseBeside) WriteFile(Root + c.DatabaseBeside, "QARC");
        const TFolders folders = FoldersFor(Root + c.Executable, c.Environment);
        auto expected = [this](const char* path) { return path[0] == '/' ? std::string(path) : Root + path; };
        EXPECT_EQ(folders.Installed, c.Installed);
        EXPECT_EQ(folders.Program, expected(c.Program));
        EXPECT_EQ(folders.Data, expected(c.Data));
        EXPECT_EQ(folders.ConfigFolder(), expected(c.Config));
        EXPECT_EQ(folders.SaveArchive(), expected(c.Data) + "QlSave/sav.sav");
    }
}

// Root may write into the prefix; the game still writes only into the home.
TEST_F(FoldersTest, AWritablePrefixChangesNothing) {
    WriteFile(Root + "usr/share/quillon/Database.pck", "QARC");
    fs::create_directories(Root + "usr/bin");
    fs::permissions(Root + "usr/bin", fs::perms::all, fs::perm_options::add);
    const TFolders folders = FoldersFor(Root + "usr/bin", {"/root", "", ""});
    EXPECT_TRUE(folders.Installed);
    EXPECT_EQ(folders.Data, "/root/.local/share/quillon/");
}

// A copy of the built game database, its members unpacked beside it to make damaged ones from.
class DatabaseLocationTest : public TTempFolder {
protected:
    void SetUp() override {
        Built = fs::path(QUILLON_BINARY_DIR) / "Database.pck";
        Installed = Root + "share/";
        Downloaded = Root + "home/";
        fs::create_directories(Installed);
        fs::create_directories(Downloaded);
        fs::copy_file(Built, Installed + "Database.pck");
        fs::create_directories(Root + "members/");
        TResource resource(Ui);
        resource.Silence();
        ASSERT_EQ(resource.DecompressFromArchive(Built.string(), Root + "members/"), 8);
    }
    // An archive of the built database's members, one changed or left out.
    std::string MakeDatabase(const std::string& name, const std::string& changed, const std::string& text,
                             bool leaveOut = false) {
        const std::string folder = Root + name + "-members/";
        fs::copy(Root + "members/", folder);
        if (leaveOut)
            fs::remove(folder + changed);
        else if (!changed.empty())
            WriteFile(folder + changed, text);
        const std::string archive = Root + name + ".pck";
        TResource resource(Ui);
        resource.Silence();
        for (const auto& entry : fs::directory_iterator(folder))
            EXPECT_TRUE(resource.CompressToArchive(entry.path().string(), archive));
        return archive;
    }
    TQuietArchiveUi Ui{TArchiveAnswer::No, false};
    fs::path Built;
    std::string Installed;
    std::string Downloaded;
};

TEST_F(DatabaseLocationTest, TheBuiltDatabaseIsSoundAndDamagedOnesAreNot) {
    std::string problem;
    EXPECT_TRUE(GameDatabaseIsSound(Built.string(), problem)) << problem;
    struct TCase {
        const char* What;
        std::string Archive;
        const char* Problem; // a part of the reason given
    };
    WriteFile(Root + "text.pck", "not an archive at all");
    std::string flipped = Root + "flipped.pck";
    fs::copy_file(Built, flipped);
    {
        std::fstream file(flipped, std::ios::binary | std::ios::in | std::ios::out);
        const auto middle = static_cast<std::streamoff>(fs::file_size(flipped) / 2);
        file.seekg(middle);
        const char byte = static_cast<char>(file.get());
        file.seekp(middle);
        file.put(static_cast<char>(~byte));
    }
    const std::vector<TCase> cases = {
        {"not an archive", Root + "text.pck", ""},
        {"a byte changed in transit", flipped, ""},
        {"a title list missing", MakeDatabase("nolist", "RPGgames.txt", "", true), "RPGgames.txt"},
        {"a title without a year",
         MakeDatabase("noyear", "Sportgames.txt", "Kick Off Forever\tsoon\tA\tDOS\r\n"), "no year"},
        {"an end date outside the game", MakeDatabase("late", "datadiff.txt", "YEAR=2031\r\n"), "end date"},
        {"no archive there", Root + "none.pck", ""},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.What);
        problem.clear();
        EXPECT_FALSE(GameDatabaseIsSound(c.Archive, problem));
        EXPECT_FALSE(problem.empty());
        EXPECT_NE(problem.find(c.Problem), std::string::npos) << problem;
    }
}

TEST_F(DatabaseLocationTest, ADownloadedDatabaseWinsOnlyWhenItIsSound) {
    EXPECT_EQ(FindGameDatabase(Downloaded, Installed), Installed + "Database.pck");
    WriteFile(Downloaded + "database.pck", "a half-finished download");
    EXPECT_EQ(FindGameDatabase(Downloaded, Installed), Installed + "Database.pck");
    fs::copy_file(MakeDatabase("late", "datadiff.txt", "YEAR=2031\r\n"), Downloaded + "database.pck",
                  fs::copy_options::overwrite_existing);
    EXPECT_EQ(FindGameDatabase(Downloaded, Installed), Installed + "Database.pck");
    fs::copy_file(MakeDatabase("longer", "datadiff.txt", "YEAR=1996\r\nWEEK=20\r\n"),
                  Downloaded + "database.pck", fs::copy_options::overwrite_existing);
    EXPECT_EQ(FindGameDatabase(Downloaded, Installed), Downloaded + "database.pck");
}

TEST_F(DatabaseLocationTest, WithNothingToFallBackOnTheOneThereIsRead) {
    // A build folder is its own data folder: its database is read, and its damage reported then.
    WriteFile(Downloaded + "Database.pck", "damaged");
    EXPECT_EQ(FindGameDatabase(Downloaded, Downloaded), Downloaded + "Database.pck");
    EXPECT_EQ(FindGameDatabase(Downloaded, Root + "nothing/"), Downloaded + "Database.pck");
    EXPECT_EQ(FindGameDatabase(Root + "nothing/", Root + "nothing/"), "");
}

} // namespace
