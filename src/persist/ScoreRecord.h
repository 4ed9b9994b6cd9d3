#pragma once
// The score record that "Upload Score" sends to the high-score list, and the marker in the
// save archive that lets the score of one saved game go there only once. Everything is passed
// in: the company record, the score, the version text and the folders.
#include <cstdint>
#include <string>

class TArchiveUi;
struct TCompany;

// The save folder and its archive below the data folder, found whatever their letter case.
std::string SaveFolderOf(const std::string& dataFolder);  // ends in '/'
std::string SaveArchiveOf(const std::string& dataFolder); // ".../QlSave/sav.sav"

// The packed DOS date-time of this moment, the score record's name.
int32_t ScoreStampNow();
// The stamp in decimal followed by ".zlb".
std::string ScoreRecordName(int32_t stamp);
// One line of nine tab-separated fields (player, company, difficulty, money, year, week,
// crises, version text, score) ending in CRLF, in the game's code page.
std::string ScoreRecordLine(const TCompany& company, int score, const std::string& versionText);
// Writes the record into `folder` under ScoreRecordName(stamp) and returns its full path.
// Throws EGameRange when it cannot be written.
std::string WriteScoreRecord(const std::string& folder, const TCompany& company, int score,
                             const std::string& versionText, int32_t stamp);

struct TUploadPermission {
    bool Allowed = true;
    // When not allowed: the message the player sees.
    std::string Text;
    std::string Caption;
};

// The marker "1_UPT.sav" of the save archive. A game that was loaded from the save may send
// its score once: the first time the marker is written (its StartStamp) and stored in the
// save archive, and every later time the upload is refused. A game that was never loaded
// leaves the archive alone. Archive failures reach the caller as EArchiveError; a marker
// that cannot be written raises EGameRange.
TUploadPermission MarkScoreUpload(const std::string& dataFolder, const TCompany& company, bool loadedFromSave,
                                  TArchiveUi& ui);
