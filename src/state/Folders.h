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

    std::string SaveFolder() const { return SaveFolderIn(Data); }
    std::string SaveArchive() const {
        return SaveArchiveFile.empty() ? SaveArchiveIn(Data) : SaveArchiveFile;
    }

    // The save folder and its archive below a data folder, as they are spelt on the disk: file
    // names match without regard to letter case, so "qlsave/SAV.SAV" is the save too. Where
    // none exists yet, the names a new save gets ("QlSave/", "sav.sav").
    static std::string SaveFolderIn(const std::string& data);
    static std::string SaveArchiveIn(const std::string& data);
};
