#include "persist/ScoreRecord.h"

#include <ctime>
#include <filesystem>
#include <fstream>

#include "archive/ArchiveFile.h"
#include "archive/Resource.h"
#include "state/Folders.h"
#include "state/Numbers.h"
#include "state/Records.h"
#include "state/TextFields.h"

namespace fs = std::filesystem;

namespace {

const char* const MarkerName = "1_UPT.sav";

// A tab or line break inside a name would split the record's line into wrong fields.
std::string FieldText(std::string text) {
    for (char& c : text)
        if (c == '\t' || c == '\r' || c == '\n') c = ' ';
    return text;
}

void RemoveQuietly(const fs::path& file) {
    std::error_code ignored;
    fs::remove(file, ignored);
}

} // namespace

std::string SaveFolderOf(const std::string& dataFolder) {
    return TFolders::SaveFolderIn(WithBackslash(dataFolder));
}

std::string SaveArchiveOf(const std::string& dataFolder) {
    return TFolders::SaveArchiveIn(WithBackslash(dataFolder));
}

int32_t ScoreStampNow() {
    return UnixTimeToDosDateTime(static_cast<int64_t>(std::time(nullptr)));
}

std::string ScoreRecordName(int32_t stamp) {
    return std::to_string(stamp) + ".zlb";
}

std::string ScoreRecordLine(const TCompany& company, int score, const std::string& versionText) {
    const std::string fields[] = {
        FieldText(company.PlayerName.Str()),
        FieldText(company.CompanyName.Str()),
        std::to_string(company.Difficulty),
        std::to_string(company.Money),
        std::to_string(company.Year),
        std::to_string(company.Week),
        std::to_string(company.Crises),
        FieldText(versionText),
        std::to_string(score),
    };
    std::string line;
    for (const std::string& field : fields) {
        if (!line.empty()) line += '\t';
        line += field;
    }
    return line + "\r\n";
}

std::string WriteScoreRecord(const std::string& folder, const TCompany& company, int score,
                             const std::string& versionText, int32_t stamp) {
    const std::string path = WithBackslash(folder) + ScoreRecordName(stamp);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << ScoreRecordLine(company, score, versionText);
    out.close();
    if (!out) {
        RemoveQuietly(path);
        throw EGameRange("Cannot write the score record " + path);
    }
    return path;
}

TUploadPermission MarkScoreUpload(const std::string& dataFolder, const TCompany& company, bool loadedFromSave,
                                  TArchiveUi& ui) {
    const std::string saveFolder = SaveFolderOf(dataFolder);
    const std::string archive = SaveArchiveOf(dataFolder);
    std::error_code error;
    if (!fs::exists(archive, error)) return {};

    TResource resource(ui);
    // A save without the marker is the usual case, not an error worth a message box.
    resource.Silence();
    // A marker left behind by an earlier run must not count for this archive.
    if (const std::string stale = FindFileNoCase(saveFolder, MarkerName); !stale.empty())
        RemoveQuietly(saveFolder + stale);
    resource.DecompressFromArchive(archive, saveFolder, MarkerName);
    const std::string extracted = FindFileNoCase(saveFolder, MarkerName);
    if (!extracted.empty()) RemoveQuietly(saveFolder + extracted);

    if (!loadedFromSave) return {};
    if (!extracted.empty()) return {false, "Game has already been upload to the highscore once", "No upload"};

    const std::string marker = saveFolder + MarkerName;
    {
        std::ofstream out(marker, std::ios::binary | std::ios::trunc);
        out << company.StartStamp << "\r\n";
        out.close();
        if (!out) {
            RemoveQuietly(marker);
            throw EGameRange("Cannot write " + marker);
        }
    }
    bool added = false;
    try {
        // A relative name is taken from the archive's folder and stored as it is given.
        added = resource.CompressToArchive(MarkerName, archive);
    } catch (...) {
        RemoveQuietly(marker);
        throw;
    }
    RemoveQuietly(marker);
    if (!added) throw EGameRange("Cannot add " + std::string(MarkerName) + " to " + archive);
    return {};
}
