#pragma once
// Where one game finds its files. The program folder holds what was installed with the game
// (Database.pck, music); the data folder is where it writes (saves, the player profile, score
// records, downloaded updates). In a development build both are the executable's folder.
#include <string>

struct TFolders {
    std::string Program; // ends in '/'
    std::string Data;    // ends in '/'

    // A save kept somewhere else than the data folder (the simulator's --save and --load);
    // empty: the save folder's archive.
    std::string SaveArchiveFile{};

    // The game's own temporary folder: the working folders of saves, loads and the database's
    // unpacking, where the next start finds what a killed game left.
    std::string TempFolder() const { return Data + "tmp/"; }
    std::string SaveFolder() const { return Data + "QlSave/"; }
    std::string SaveArchive() const {
        return SaveArchiveFile.empty() ? SaveFolder() + "sav.sav" : SaveArchiveFile;
    }
};
