#pragma once
// The game database reader: the members of Database.pck (the end date and the per-genre
// competitor title lists) and the built-in lists of famous titles.
#include <functional>
#include <string>
#include <vector>

#include "state/Folders.h"

class TGameCore;

// Database.pck to read: one in the data folder (a downloaded update) before the installed one,
// unless the downloaded one cannot be read and the installed one is there; empty when there is
// none.
std::string DatabasePath(const TFolders& folders);
// Why the archive is no game database the game can read (empty when it is): an archive member
// that fails its checks, or a member the reader refuses, named with the reason.
std::string GameDatabaseProblem(const std::string& archive);
// YEAR= and WEEK= lines set the last playable date; throws EDataFile on a damaged line or a
// date outside the game.
void ApplyDataDiff(TGameCore& game, const std::vector<std::string>& lines);
// Extracts one member of Database.pck into a private folder, reads its lines and removes the
// folder again. Throws EDataFile when the database or the member is missing or damaged.
std::vector<std::string> ReadDatabaseMember(TGameCore& game, const std::string& member);
// Reads the end date and the genre title lists; false (with a message) when the
// installation is broken, and nothing of the game changes then. progress gets the share of
// the work done, 0..100.
bool LoadGameDatabase(TGameCore& game, const std::function<void(int)>& progress = {});
// Tells the player that the installation is broken and why.
void InstallationError(TGameCore& game, const std::string& detail);
// The five lists of famous titles compiled into the program, as the texts searched for bonuses.
void LoadBonusLists(TGameCore& game);
