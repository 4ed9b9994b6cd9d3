#pragma once
// Putting a downloaded program archive in place before the game starts again: the running
// executable is kept as "<name>.old" and every member of the archive is unpacked into the
// program folder.
#include <string>

class TArchiveUi;

extern const char* const ProgramArchiveName; // "quillon.pck"

enum class TProgramUpdateKind {
    Applied,           // the new program is in place
    NoArchive,         // nothing to apply
    FolderNotWritable, // an installed game: the program folder belongs to the system
    Failed,            // a damaged archive or a file error; the old program is in place again
};

struct TProgramUpdate {
    TProgramUpdateKind Kind = TProgramUpdateKind::NoArchive;
    std::string Text;       // what happened, for the player
    std::string Executable; // the program to start: the new one when applied, else the old
};

// `executable` is the full name of the running program inside `programFolder`.
TProgramUpdate ApplyProgramUpdate(const std::string& programArchive, const std::string& programFolder,
                                  const std::string& executable, TArchiveUi& ui);

// Whether files can be created in the folder (tries it).
bool FolderIsWritable(const std::string& folder);
