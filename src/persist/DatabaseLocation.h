#pragma once
// Which game database the game reads: one downloaded by the update check into the data folder
// wins over the one installed with the program, but only while it is sound.
#include <string>

// The full name of "Database.pck" (any letter case) in the data folder when it is sound (or
// when the data folder is the program folder), else in the program folder; empty when neither
// has one.
std::string FindGameDatabase(const std::string& dataFolder, const std::string& programFolder);

// Whether the archive opens, every member passes its CRC-32 test, and the end date and the
// seven title lists read as the game reads them. `problem` says why not.
bool GameDatabaseIsSound(const std::string& archive, std::string& problem);
