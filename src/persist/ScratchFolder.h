#pragma once
// The working folders of a save, a load and the database's unpacking. They live in the data
// folder's own temporary folder and carry the number of the process that made them, so that
// what a game killed part-way leaves behind is found and removed at the next start.
#include <string>

#include "state/Folders.h"

// A folder of its own in the data folder's temporary folder (only this user may enter it),
// removed with everything in it when the object ends, however it ends.
class TScratchFolder {
public:
    // Throws EDataFile when the folder cannot be made.
    TScratchFolder(const TFolders& folders, const std::string& prefix);
    ~TScratchFolder();
    TScratchFolder(const TScratchFolder&) = delete;
    TScratchFolder& operator=(const TScratchFolder&) = delete;

    const std::string& Path() const { return Folder; } // ends in '/'

private:
    std::string Folder;
};

// Removes what games that no longer run left behind: their working folders in the temporary
// folder, and the half-written archives ("~sav.sav.<process>.<n>.tmp") beside the save. What
// belongs to a process that still runs stays. Returns how many were removed.
int RemoveStaleTemporaries(const TFolders& folders);
