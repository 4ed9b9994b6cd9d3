#pragma once
#include "state/Folders.h"

// The folders of this installation: the program folder is the executable's; the data folder
// is the same folder when the game may write there (a development build or an unpacked game),
// else the per-user data folder ($XDG_DATA_HOME/quillon or ~/.local/share/quillon).
TFolders DefaultFolders();
// Both folders the same, for a game kept in one folder (tests, portable installs).
TFolders FoldersAt(const std::string& folder);
