#pragma once
// Putting a downloaded program archive in place before the game starts again. The archive
// must hold the program and nothing else; the program is unpacked into a fresh staging folder
// beside the running one, checked, and only then moved into place, with the running
// executable kept as "<name>.old" (and put back if the move fails). Nothing else of the
// archive is ever written.
#include <cstdint>
#include <string>

class TArchiveUi;

extern const char* const ProgramArchiveName; // "quillon.pck"
// The most a program archive may unpack to.
inline constexpr int64_t ProgramSizeCeiling = 256LL * 1024 * 1024;

enum class TProgramUpdateKind {
    Applied,           // the new program is in place
    NoArchive,         // nothing to apply
    FolderNotWritable, // an installed game: the program folder belongs to the system
    Failed,            // a damaged or unfit archive or a file error; the old program is in place
};

struct TProgramUpdate {
    TProgramUpdateKind Kind = TProgramUpdateKind::NoArchive;
    std::string Text;       // what happened, for the player
    std::string Executable; // the program to start: the new one when applied, else the old
};

// Why the archive cannot carry the program `programName` (empty when it can): it is damaged,
// holds any other member, or would unpack to more than `sizeCeiling` bytes. Decodes at most
// about the size its directory states, so a small archive that would unpack to a huge file
// costs nothing.
std::string ProgramArchiveProblem(const std::string& programArchive, const std::string& programName,
                                  int64_t sizeCeiling, TArchiveUi& ui);

// `executable` is the full name of the running program inside `programFolder`.
TProgramUpdate ApplyProgramUpdate(const std::string& programArchive, const std::string& programFolder,
                                  const std::string& executable, TArchiveUi& ui,
                                  int64_t sizeCeiling = ProgramSizeCeiling);

// Moves the checked new program `staged` over `executable`, keeping the old one as `old`
// (replacing an earlier one); on any failure the old program is back under its name. This is
// the one step that replaces an executable: an installed game, whose program belongs to the
// system, never calls it.
bool ReplaceProgram(const std::string& staged, const std::string& executable, const std::string& old,
                    std::string& problem);

// Whether files can be created in the folder (tries it).
bool FolderIsWritable(const std::string& folder);
