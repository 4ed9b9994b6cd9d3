#include "persist/DatabaseLocation.h"

#include <filesystem>

#include "archive/ArchiveManager.h"
#include "archive/ArchiveUi.h"
#include "sim/Announcements.h"
#include "start/GameDatabase.h"
#include "state/GameCore.h"
#include "state/PlatformTables.h"
#include "state/TextFields.h"

namespace fs = std::filesystem;

namespace {

std::string DatabaseIn(const std::string& folder) {
    if (folder.empty()) return "";
    const std::string name = FindFileNoCase(WithBackslash(folder), "Database.pck");
    std::error_code error;
    if (name.empty() || !fs::is_regular_file(WithBackslash(folder) + name, error)) return "";
    return WithBackslash(folder) + name;
}

} // namespace

bool GameDatabaseIsSound(const std::string& archive, std::string& problem) {
    try {
        TQuietArchiveUi ui(TArchiveAnswer::No, false);
        {
            TArchiveManager manager(ui);
            manager.ShowMessages = false;
            manager.OpenArchive(archive, false);
            for (const TCentralDirEntry& entry : manager.CentralDir().Entries)
                if (!manager.TestEntry(entry)) {
                    problem = entry.FileName + " is damaged";
                    return false;
                }
            manager.CloseArchive();
        }
        // Only what the file sets is checked.
        int32_t endYear = StartYear;
        int32_t endWeek = 1;
        ParseEndDate(ReadArchiveMember(archive, "datadiff.txt", ui), endYear, endWeek);
        for (int g = 0; g < GenreCount; ++g)
            for (const std::string& line : ReadArchiveMember(archive, Genres[g].ListFile, ui))
                TitleYear(line);
        return true;
    } catch (const std::exception& error) {
        problem = error.what();
        return false;
    }
}

std::string FindGameDatabase(const std::string& dataFolder, const std::string& programFolder) {
    const std::string downloaded = DatabaseIn(dataFolder);
    const std::string installed = DatabaseIn(programFolder);
    if (downloaded.empty()) return installed;
    // With nothing else to fall back on, the one there is read and its damage reported.
    if (installed.empty() || downloaded == installed) return downloaded;
    std::string problem;
    return GameDatabaseIsSound(downloaded, problem) ? downloaded : installed;
}
