// Arbitrary bytes opened as an archive and extracted (its first entries), the way the game opens a save:
// silenced, every question answered No. Damaged archives must end in an archive error, never
// in a crash, a hang, a huge allocation or a file outside the extraction folder.
#include "archive/ArchiveErrors.h"
#include "archive/ArchiveManager.h"
#include "archive/ArchiveUi.h"

#include <cerrno>
#include <csignal>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

fs::path ScratchRoot() {
    std::error_code ec;
    // Memory-backed when available: every run writes the extracted files.
    const fs::path base = fs::is_directory("/dev/shm", ec) ? fs::path("/dev/shm") : fs::temp_directory_path();
    const std::string prefix = "quillon-fuzz-archive-";
    // libFuzzer may end a run without running exit handlers; clear what finished runs left.
    for (const auto& e : fs::directory_iterator(base, ec)) {
        const std::string name = e.path().filename().string();
        if (name.rfind(prefix, 0) != 0) continue;
        const long pid = std::strtol(name.c_str() + prefix.size(), nullptr, 10);
        if (pid > 0 && ::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH)
            fs::remove_all(e.path(), ec);
    }
    fs::path root = base / (prefix + std::to_string(::getpid()));
    fs::create_directories(root);
    return root;
}

const fs::path& Root() {
    static const fs::path root = ScratchRoot();
    return root;
}

constexpr size_t MaxEntries = 8;

} // namespace

// The address sanitizer's defaults cost more time than the runs themselves: a 256 MiB quarantine of freed
// memory makes every run map and fault in fresh pages, and each allocation gets its first 4 KiB filled
// with a pattern. A run allocates far less than 16 MiB, so a use after free within it is still caught.
extern "C" const char* __asan_default_options() {
    return "quarantine_size_mb=16:max_malloc_fill_size=0";
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static TQuietArchiveUi ui(TArchiveAnswer::No, false);
    static TArchiveManager manager(ui); // the working storage is made once, as in the game
    static const fs::path archive = Root() / "input.pck";
    static const fs::path out = Root() / "out";
    {
        std::ofstream f(archive, std::ios::binary | std::ios::trunc);
        f.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    fs::create_directories(out);

    manager.ShowMessages = false;
    try {
        manager.OpenArchive(archive.string(), false);
        manager.SetExtractFolder(out.string());
        // Every entry costs a dozen file operations; the first few show all that extraction does with a
        // directory (same names, names in other letter cases, damaged blocks after good ones), and the
        // time is better spent on more inputs.
        std::vector<TCentralDirEntry> entries = manager.CentralDir().Entries;
        if (entries.size() > MaxEntries) entries.resize(MaxEntries);
        manager.ExtractEntries(entries);
    } catch (const EArchiveError&) {
        // The expected end of most inputs.
    }
    manager.CloseArchive();

    // Nothing may appear beside the archive and the extraction folder. The folder is emptied, not
    // removed, for the next input.
    for (const auto& e : fs::directory_iterator(Root())) {
        const std::string name = e.path().filename().string();
        if (name != "input.pck" && name != "out") std::abort();
    }
    std::error_code ec;
    std::vector<fs::path> extracted;
    for (const auto& e : fs::directory_iterator(out, ec))
        extracted.push_back(e.path());
    for (const fs::path& p : extracted)
        fs::remove_all(p, ec);
    return 0;
}
