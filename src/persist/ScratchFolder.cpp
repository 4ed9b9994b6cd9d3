#include "persist/ScratchFolder.h"

#include <sys/types.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <vector>

#include "state/Errors.h"

namespace fs = std::filesystem;

namespace {

// Every working folder of the game is named "quillon-<what>-<process>-XXXXXX".
constexpr const char* FolderPrefix = "quillon-";

// The process number inside a name, between the separator before it and the one after.
bool ProcessIn(const std::string& text, pid_t& process) {
    if (text.empty()) return false;
    long long value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value <= 0) return false;
    process = static_cast<pid_t>(value);
    return process == value;
}

// A process that still runs owns what it made (one we may not signal runs too).
bool Running(pid_t process) {
    return process == getpid() || kill(process, 0) == 0 || errno == EPERM;
}

// "quillon-save-123-AbC123": the process is the last number but one.
bool FolderOwner(const std::string& name, pid_t& process) {
    if (name.rfind(FolderPrefix, 0) != 0) return false;
    const size_t last = name.rfind('-');
    if (last == std::string::npos || last == 0) return false;
    const size_t before = name.rfind('-', last - 1);
    if (before == std::string::npos) return false;
    return ProcessIn(name.substr(before + 1, last - before - 1), process);
}

// "~sav.sav.123.0.tmp": the archive library's new archive, the process the number but one.
bool ArchiveOwner(const std::string& name, pid_t& process) {
    const std::string suffix = ".tmp";
    if (name.size() < 2 || name[0] != '~' || name.size() <= suffix.size() ||
        name.compare(name.size() - suffix.size(), suffix.size(), suffix) != 0)
        return false;
    const std::string stem = name.substr(0, name.size() - suffix.size());
    const size_t counter = stem.rfind('.');
    if (counter == std::string::npos || counter == 0) return false;
    const size_t before = stem.rfind('.', counter - 1);
    if (before == std::string::npos) return false;
    return ProcessIn(stem.substr(before + 1, counter - before - 1), process);
}

int RemoveStale(const std::string& folder, bool (*owner)(const std::string&, pid_t&)) {
    std::error_code error;
    std::vector<fs::path> stale;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        pid_t process = 0;
        if (owner(it->path().filename().string(), process) && !Running(process)) stale.push_back(it->path());
    }
    int removed = 0;
    for (const fs::path& path : stale) {
        std::error_code ignored;
        if (fs::remove_all(path, ignored) > 0) ++removed;
    }
    return removed;
}

} // namespace

TScratchFolder::TScratchFolder(const TFolders& folders, const std::string& prefix) {
    const std::string base = folders.TempFolder();
    // Another game ending its own working folder removes the temporary folder when it finds it
    // empty, which may fall between our making it and our folder inside (or between the two
    // halves of making it); make it again then.
    constexpr int Attempts = 50;
    for (int attempt = 1;; ++attempt) {
        std::error_code error;
        fs::create_directories(base, error);
        if (error) {
            if (attempt < Attempts) continue;
            throw EDataFile("Cannot create the temporary folder " + base + ": " + error.message() + ".");
        }
        std::string pattern = base + prefix + std::to_string(getpid()) + "-XXXXXX";
        if (mkdtemp(pattern.data())) {
            Folder = pattern + "/";
            return;
        }
        if (errno != ENOENT || attempt >= Attempts)
            throw EDataFile("Cannot create a temporary folder in " + base + ".");
    }
}

TScratchFolder::~TScratchFolder() {
    std::error_code ignored;
    fs::remove_all(Folder, ignored);
    // The temporary folder itself goes too once nothing is left in it (it fails, harmlessly,
    // while another working folder is there).
    fs::remove(fs::path(Folder).parent_path().parent_path(), ignored);
}

int RemoveStaleTemporaries(const TFolders& folders) {
    return RemoveStale(folders.TempFolder(), FolderOwner) + RemoveStale(folders.SaveFolder(), ArchiveOwner);
}
