#pragma once
// Which game database the game reads: one downloaded by the update check into the data folder
// wins over the one installed with the program.
#include <string>

// The full name of "Database.pck" (any letter case) in the data folder, else in the program
// folder; empty when neither has one.
std::string FindGameDatabase(const std::string& dataFolder, const std::string& programFolder);
