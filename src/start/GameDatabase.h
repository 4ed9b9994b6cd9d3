#pragma once
// The game database reader: the members of Database.pck (the end date and the per-genre
// competitor title lists) and the built-in lists of famous titles.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "state/Folders.h"

class TArchiveUi;
class TGameCore;

// Database.pck to read: one in the data folder (a downloaded update) before the installed one,
// unless the downloaded one cannot be read and the installed one is there; empty when there is
// none.
std::string DatabasePath(const TFolders& folders);
// The full name of "Database.pck" (any letter case) in the data folder when it is sound (or
// when the data folder is the program folder, or the program folder has none), else in the
// program folder; empty when neither has one.
std::string FindGameDatabase(const std::string& dataFolder, const std::string& programFolder);
// Whether the archive opens, every member passes its CRC-32 test, and the end date and the
// seven title lists read as the game reads them. `problem` says why not.
bool GameDatabaseIsSound(const std::string& archive, std::string& problem);
// Why the archive is no game database the game can read (empty when it is): an archive member
// that fails its checks, or a member the reader refuses, named with the reason. The answer for
// bytes seen before is remembered.
std::string GameDatabaseProblem(const std::string& archive);
// YEAR= and WEEK= lines set the last playable date; throws EDataFile on a damaged line or a
// date outside the game (ApplyDataDiff then leaves the game's date as it was).
void ParseEndDate(const std::vector<std::string>& lines, int32_t& endYear, int32_t& endWeek);
void ApplyDataDiff(TGameCore& game, const std::vector<std::string>& lines);
// Extracts one member of Database.pck into a private folder, reads its lines and removes the
// folder again. Throws EDataFile when the database or the member is missing or damaged.
std::vector<std::string> ReadDatabaseMember(TGameCore& game, const std::string& member);
// The same for a given archive, unpacked in the temporary folder of `folders`.
std::vector<std::string> ReadArchiveMember(const TFolders& folders, const std::string& archive,
                                           const std::string& member, TArchiveUi& ui);
// Reads the end date and the genre title lists; false (with a message) when the
// installation is broken, and nothing of the game changes then. progress gets the share of
// the work done, 0..100.
bool LoadGameDatabase(TGameCore& game, const std::function<void(int)>& progress = {});
// Tells the player that the installation is broken and why.
void InstallationError(TGameCore& game, const std::string& detail);
// The five lists of famous titles compiled into the program, as the texts searched for bonuses.
void LoadBonusLists(TGameCore& game);
