#include "online/ProgramUpdate.h"

#include <filesystem>
#include <fstream>
#include <unistd.h>

#include "archive/ArchiveErrors.h"
#include "archive/ArchiveManager.h"
#include "online/ServerText.h"

namespace fs = std::filesystem;

const char* const ProgramArchiveName = "quillon.pck";

namespace {

// A folder of its own that goes away with everything in it.
class TStagingFolder {
public:
    explicit TStagingFolder(const std::string& parent) {
        std::string pattern = (fs::path(parent) / ".quillon-new-XXXXXX").string();
        if (mkdtemp(pattern.data())) Path = pattern;
    }
    ~TStagingFolder() {
        std::error_code ignored;
        if (!Path.empty()) fs::remove_all(Path, ignored);
    }
    TStagingFolder(const TStagingFolder&) = delete;
    TStagingFolder& operator=(const TStagingFolder&) = delete;
    std::string Path;
};

// The program's entry, once ProgramArchiveProblem has found the archive fit.
std::string UnpackProgram(const std::string& programArchive, const std::string& programName,
                          const std::string& folder, TArchiveUi& ui) {
    TArchiveManager manager(ui);
    manager.ShowMessages = false;
    manager.OpenArchive(programArchive, false);
    const TCentralDirEntry entry = manager.CentralDir().Entries.at(0);
    manager.SetExtractFolder(folder);
    const TExtractResult extracted = manager.ExtractEntries({entry});
    manager.CloseArchive();
    const fs::path file = fs::path(folder) / programName;
    std::error_code error;
    if (extracted.Count != 1 || !fs::is_regular_file(file, error) ||
        fs::file_size(file, error) != static_cast<uintmax_t>(entry.Header.UncompressedSize))
        return "";
    return file.string();
}

} // namespace

std::string ProgramArchiveProblem(const std::string& programArchive, const std::string& programName,
                                  int64_t sizeCeiling, TArchiveUi& ui) {
    // Opening a missing archive would create an empty one.
    std::error_code error;
    if (!fs::is_regular_file(programArchive, error)) return "it does not exist";
    try {
        TArchiveManager manager(ui);
        manager.ShowMessages = false;
        manager.OpenArchive(programArchive, false);
        const std::vector<TCentralDirEntry>& entries = manager.CentralDir().Entries;
        if (entries.empty()) return "it holds no files";
        std::string others;
        bool program = false;
        for (const TCentralDirEntry& entry : entries) {
            if (entry.Folder.empty() && entry.FileName == programName && !program) {
                program = true;
                continue;
            }
            others += (others.empty() ? "" : ", ") + WithoutControlCharacters(entry.StoredName());
        }
        if (!others.empty()) return "it holds other files than the program: " + others;
        if (!program) return "it holds no " + programName;
        const TCentralDirEntry& entry = entries.front();
        const int64_t size = entry.Header.UncompressedSize;
        if (size > sizeCeiling)
            return "the program would unpack to " + std::to_string(size) + " bytes, more than the " +
                   std::to_string(sizeCeiling) + " allowed";
        // Every block but the last is full, so the block count follows from the size; a
        // directory that understates the size cannot hide more blocks behind it.
        const int64_t blocks = size == 0 ? 0 : (size + ArchiveBlockSize - 1) / ArchiveBlockSize;
        if (size < 0 || entry.Header.BlockCount != blocks)
            return programName + " has " + std::to_string(entry.Header.BlockCount) + " blocks for " +
                   std::to_string(size) + " bytes";
        if (!manager.TestEntry(entry)) return programName + " is damaged";
        manager.CloseArchive();
        return "";
    } catch (const std::exception& error) {
        return error.what();
    }
}

bool FolderIsWritable(const std::string& folder) {
    const fs::path probe = fs::path(folder) / (".quillon-write-test-" + std::to_string(getpid()));
    {
        std::ofstream out(probe, std::ios::binary | std::ios::trunc);
        if (!out) return false;
    }
    std::error_code ignored;
    fs::remove(probe, ignored);
    return true;
}

bool ReplaceProgram(const std::string& staged, const std::string& executable, const std::string& old,
                    std::string& problem) {
    std::error_code error;
    fs::remove(old, error);
    fs::rename(executable, old, error);
    if (error) {
        problem = executable + " cannot be renamed (" + error.message() + ")";
        return false;
    }
    fs::rename(staged, executable, error);
    if (!error) return true;
    problem = "the new program cannot be moved into place (" + error.message() + ")";
    std::error_code ignored;
    fs::rename(old, executable, ignored);
    return false;
}

TProgramUpdate ApplyProgramUpdate(const std::string& programArchive, const std::string& programFolder,
                                  const std::string& executable, TArchiveUi& ui, int64_t sizeCeiling) {
    TProgramUpdate update;
    update.Executable = executable;
    std::error_code error;
    if (programArchive.empty() || !fs::is_regular_file(programArchive, error)) return update;

    if (!FolderIsWritable(programFolder)) {
        update.Kind = TProgramUpdateKind::FolderNotWritable;
        update.Text = "The new program could not be installed: the program folder " + programFolder +
                      " cannot be written. The downloaded program is kept in " + programArchive + ".";
        return update;
    }
    auto fail = [&update](const std::string& text) {
        update.Kind = TProgramUpdateKind::Failed;
        update.Text = "The new program could not be installed: " + text + ".";
        return update;
    };
    const fs::path running(executable);
    const std::string name = running.filename().string();
    if (const std::string problem = ProgramArchiveProblem(programArchive, name, sizeCeiling, ui);
        !problem.empty())
        return fail(programArchive + " cannot be used (" + problem + ")");

    // The staging folder lies beside the program, so the last move is a rename on one disk.
    TStagingFolder stage(programFolder);
    if (stage.Path.empty()) return fail("no staging folder can be made in " + programFolder);
    std::string staged;
    try {
        staged = UnpackProgram(programArchive, name, stage.Path, ui);
    } catch (const std::exception& e) {
        return fail(e.what());
    }
    if (staged.empty()) return fail(programArchive + " cannot be unpacked");
    // The archive keeps no permission bits: the new program may run as the old one did.
    const fs::perms mode = fs::status(running, error).permissions();
    fs::permissions(staged, (error ? fs::perms::owner_all : mode) | fs::perms::owner_exec, error);
    std::string problem;
    if (!ReplaceProgram(staged, executable,
                        (fs::path(programFolder) / (running.stem().string() + ".old")).string(), problem))
        return fail(problem);
    update.Kind = TProgramUpdateKind::Applied;
    update.Text = "The new program is installed.";
    return update;
}
