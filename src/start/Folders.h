#pragma once
#include <string>

#include "state/Folders.h"

// What the folders depend on besides the executable's place: the player's home and the XDG
// variables (empty when unset).
struct TUserEnvironment {
    std::string Home;
    std::string XdgDataHome;
    std::string XdgConfigHome;
};

// The installed data folder seen from the executable's folder ("../share/quillon" for a game
// in <prefix>/bin); fixed when the game is built, so any prefix works without rebuilding.
std::string InstalledDataFolder(const std::string& executableFolder);

// The folders of a game whose executable lies in `executableFolder`. It counts as installed
// when the installed data folder beside it holds the game database; then it reads from there
// and writes into $XDG_DATA_HOME/quillon (default ~/.local/share/quillon), with online.cfg in
// $XDG_CONFIG_HOME/quillon (default ~/.config/quillon). Otherwise (a build folder, an
// unpacked game) everything stays in the executable's folder. What may be written decides
// nothing: a game started by root from /usr stays out of /usr.
TFolders FoldersFor(const std::string& executableFolder, const TUserEnvironment& environment);
// The same for this process: its executable, its environment, the account's home when HOME is
// unset. The user's folders are created when the game is installed.
TFolders DefaultFolders();
// Both folders the same, for a game kept in one folder (tests, portable installs).
TFolders FoldersAt(const std::string& folder);
