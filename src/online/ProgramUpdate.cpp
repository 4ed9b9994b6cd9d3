#include "online/ProgramUpdate.h"

#include <filesystem>
#include <fstream>
#include <unistd.h>

#include "archive/ArchiveErrors.h"
#include "archive/ArchiveManager.h"
#include "archive/Resource.h"
#include "state/TextFields.h"

namespace fs = std::filesystem;

const char* const ProgramArchiveName = "quillon.pck";

namespace {

// Every member decodes with good CRC-32s: a damaged download never replaces the program.
bool ArchiveIsSound(const std::string& archive, TArchiveUi& ui, std::string& problem) {
    try {
        TArchiveManager manager(ui);
        manager.ShowMessages = false;
        manager.OpenArchive(archive, false);
        const TCentralDir& dir = manager.CentralDir();
        if (dir.Entries.empty()) {
            problem = "it holds no files";
            return false;
        }
        for (const TCentralDirEntry& entry : dir.Entries)
            if (!manager.TestEntry(entry)) {
                problem = entry.FileName + " is damaged";
                return false;
            }
        manager.CloseArchive();
        return true;
    } catch (const std::exception& error) {
        problem = error.what();
        return false;
    }
}

} // namespace

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

TProgramUpdate ApplyProgramUpdate(const std::string& programArchive, const std::string& programFolder,
                                  const std::string& executable, TArchiveUi& ui) {
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
        update.Text = text;
        return update;
    };
    std::string problem;
    if (!ArchiveIsSound(programArchive, ui, problem))
        return fail("The new program could not be installed: " + programArchive + " cannot be used (" +
                    problem + ").");

    const fs::path running(executable);
    const std::string name = running.filename().string();
    const fs::path old = fs::path(programFolder) / (running.stem().string() + ".old");
    const fs::perms mode = fs::status(running, error).permissions();
    fs::remove(old, error);
    fs::rename(running, old, error);
    if (error)
        return fail("The new program could not be installed: " + executable + " cannot be renamed (" +
                    error.message() + ").");
    auto restoreOld = [&] {
        std::error_code ignored;
        if (!fs::exists(running, ignored)) fs::rename(old, running, ignored);
    };

    try {
        TResource resource(ui);
        resource.Silence();
        resource.DecompressFromArchive(programArchive, programFolder);
    } catch (const std::exception& e) {
        restoreOld();
        return fail(std::string("The new program could not be installed: ") + e.what());
    }
    const std::string found = FindFileNoCase(WithBackslash(programFolder), name);
    if (found.empty()) {
        restoreOld();
        return fail("The new program could not be installed: " + programArchive + " holds no " + name + ".");
    }
    const fs::path fresh = fs::path(programFolder) / found;
    // The archive keeps no permission bits: the new program may run as the old one did.
    fs::permissions(fresh, mode | fs::perms::owner_exec, fs::perm_options::add, error);
    update.Kind = TProgramUpdateKind::Applied;
    update.Executable = fresh.string();
    update.Text = "The new program is installed.";
    return update;
}
