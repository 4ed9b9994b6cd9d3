#pragma once
// Where one game finds its files. The program folder holds what was installed with the game
// (Database.pck, music, sounds) and is only read; the data folder is where it writes (saves,
// the player profile, score records, downloaded updates); the settings folder holds online.cfg.
// Run from a build folder all three are the executable's folder; an installed game reads from
// its prefix and writes only into the player's own folders.
#include <string>

struct TFolders {
    std::string Program; // ends in '/'
    std::string Data;    // ends in '/'

    // A save kept somewhere else than the data folder (the simulator's --save and --load);
    // empty: the save folder's archive.
    std::string SaveArchiveFile{};
    // Where online.cfg lives (ends in '/'); empty: the data folder.
    std::string Config{};
    // The game was installed (by a package or `cmake --install`): whoever installed it also
    // replaces its program, never the game itself.
    bool Installed = false;

    // The game's own temporary folder: the working folders of saves, loads and the database's
    // unpacking, where the next start finds what a killed game left.
    std::string TempFolder() const { return Data + "tmp/"; }
    std::string SaveFolder() const { return SaveFolderIn(Data); }
    std::string SaveArchive() const {
        return SaveArchiveFile.empty() ? SaveArchiveIn(Data) : SaveArchiveFile;
    }
    std::string ConfigFolder() const { return Config.empty() ? Data : Config; }

    // The save folder and its archive below a data folder, as they are spelt on the disk: file
    // names match without regard to letter case, so "qlsave/SAV.SAV" is the save too. Where
    // none exists yet, the names a new save gets ("QlSave/", "sav.sav").
    static std::string SaveFolderIn(const std::string& data);
    static std::string SaveArchiveIn(const std::string& data);
};
