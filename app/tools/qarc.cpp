// qarc: makes, lists, extracts and checks the game's archives from the command line.
// Never interactive: the library's questions are answered by --yes or --no.
#include "archive/ArchiveErrors.h"
#include "archive/ArchiveManager.h"
#include "archive/ArchiveUi.h"

#include <cstdio>
#include <exception>
#include <filesystem>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

constexpr int ExitOk = 0;
constexpr int ExitFailure = 1;
constexpr int ExitUsage = 2;

const char* const HelpText =
    "Usage: qarc [OPTIONS] COMMAND ARCHIVE [ARGS...]\n"
    "\n"
    "Commands:\n"
    "  create ARCHIVE [FILE...]            add the FILEs to ARCHIVE, creating it when it does not exist;\n"
    "                                      each file is stored under its name as given here\n"
    "  list ARCHIVE                        show every stored file: sizes, blocks, date and stored name\n"
    "  extract ARCHIVE [-C DIR] [NAME...]  extract the named files (letter case ignored; the first of\n"
    "                                      equal names), or all files, into DIR (default: the current\n"
    "                                      folder, created when missing); only the file-name part of a\n"
    "                                      stored name is used\n"
    "  test ARCHIVE                        decode every block and check every CRC-32\n"
    "\n"
    "Options:\n"
    "  --yes          answer Yes to the archive library's questions (overwrite, add a name twice)\n"
    "  --no           answer No to them (the default)\n"
    "  -v, --verbose  print the library's log\n"
    "  -h, --help     show this text\n"
    "\n"
    "An ARCHIVE name without extension gets \".rs\". Messages go to standard error.\n"
    "Exit status: 0 success, 1 failure (including any damaged block), 2 wrong usage.\n";

int Usage(const std::string& problem) {
    std::fprintf(stderr, "qarc: %s\nTry 'qarc --help'.\n", problem.c_str());
    return ExitUsage;
}

int Fail(const std::string& problem) {
    std::fprintf(stderr, "qarc: %s\n", problem.c_str());
    return ExitFailure;
}

std::string DosDateText(int32_t packed) {
    const uint32_t v = static_cast<uint32_t>(packed);
    char text[32];
    std::snprintf(text, sizeof text, "%04u-%02u-%02u %02u:%02u:%02u", (v >> 25) + 1980, (v >> 21) & 15,
                  (v >> 16) & 31, (v >> 11) & 31, (v >> 5) & 63, (v & 31) * 2);
    return text;
}

bool ArchiveExists(const std::string& name) {
    std::error_code ec;
    return fs::is_regular_file(TArchiveManager::ResolveArchiveName(name), ec);
}

int Create(TArchiveManager& man, const std::string& archive, const std::vector<std::string>& files) {
    man.OpenArchive(archive, false);
    const int added = man.AddFiles(files, fs::current_path().string());
    man.CloseArchive();
    if (added < static_cast<int>(files.size()))
        return Fail(std::to_string(files.size() - static_cast<size_t>(added)) + " of " +
                    std::to_string(files.size()) + " files not added.");
    return ExitOk;
}

int List(TArchiveManager& man, const std::string& archive) {
    if (!ArchiveExists(archive)) return Fail("archive " + archive + " does not exist.");
    man.OpenArchive(archive, false);
    std::printf("%10s %10s %6s %-19s  %s\n", "Size", "Packed", "Blocks", "Date", "Name");
    for (const TCentralDirEntry& e : man.CentralDir().Entries)
        std::printf("%10d %10d %6d %-19s  %s\n", e.Header.UncompressedSize, e.Header.CompressedSize,
                    e.Header.BlockCount, DosDateText(e.Header.DateTime).c_str(), e.StoredName().c_str());
    man.CloseArchive();
    return ExitOk;
}

int Extract(TArchiveManager& man, const std::string& archive, const std::string& dir,
            const std::vector<std::string>& names) {
    if (!ArchiveExists(archive)) return Fail("archive " + archive + " does not exist.");
    const fs::path dest = fs::absolute(dir.empty() ? fs::current_path() : fs::path(dir));
    std::error_code ec;
    fs::create_directories(dest, ec);
    if (!fs::is_directory(dest, ec)) return Fail("cannot use " + dest.string() + " as destination folder.");

    man.OpenArchive(archive, false);
    man.SetExtractFolder(dest.string());
    int status = ExitOk;
    std::vector<TCentralDirEntry> wanted;
    if (names.empty()) {
        wanted = man.CentralDir().Entries;
    } else {
        for (const std::string& name : names) {
            if (const TCentralDirEntry* e = man.CentralDir().Find(name))
                wanted.push_back(*e);
            else
                status = Fail(name + " is not in the archive.");
        }
    }
    const TExtractResult result = man.ExtractEntries(wanted);
    man.CloseArchive();
    if (result.Count < static_cast<int>(wanted.size()))
        status = Fail(std::to_string(wanted.size() - static_cast<size_t>(result.Count)) + " of " +
                      std::to_string(wanted.size()) + " files not extracted.");
    return status;
}

int Test(TArchiveManager& man, const std::string& archive) {
    if (!ArchiveExists(archive)) return Fail("archive " + archive + " does not exist.");
    man.OpenArchive(archive, false);
    int failed = 0;
    for (const TCentralDirEntry& e : man.CentralDir().Entries) {
        const bool ok = man.TestEntry(e);
        std::printf("%-6s %s\n", ok ? "OK" : "FAILED", e.StoredName().c_str());
        if (!ok) ++failed;
    }
    man.CloseArchive();
    if (failed > 0) return Fail(std::to_string(failed) + " damaged file(s).");
    return ExitOk;
}

} // namespace

int main(int argc, char** argv) {
    TArchiveAnswer answer = TArchiveAnswer::No;
    bool verbose = false;
    std::string dir;
    bool haveDir = false;
    std::vector<std::string> args;
    bool optionsDone = false;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (optionsDone || a.empty() || a[0] != '-' || a == "-") {
            args.push_back(a);
        } else if (a == "--") {
            optionsDone = true;
        } else if (a == "-h" || a == "--help") {
            std::fputs(HelpText, stdout);
            return ExitOk;
        } else if (a == "--yes") {
            answer = TArchiveAnswer::Yes;
        } else if (a == "--no") {
            answer = TArchiveAnswer::No;
        } else if (a == "-v" || a == "--verbose") {
            verbose = true;
        } else if (a == "-C") {
            if (i + 1 >= argc) return Usage("-C needs a folder.");
            dir = argv[++i];
            haveDir = true;
        } else {
            return Usage("unknown option " + a + ".");
        }
    }
    if (args.empty()) return Usage("no command given.");
    const std::string command = args[0];
    if (command != "create" && command != "list" && command != "extract" && command != "test")
        return Usage("unknown command " + command + ".");
    if (args.size() < 2) return Usage(command + " needs an archive name.");
    if (haveDir && command != "extract") return Usage("-C is for extract only.");
    if ((command == "list" || command == "test") && args.size() > 2)
        return Usage(command + " takes only the archive name.");
    const std::string archive = args[1];
    const std::vector<std::string> rest(args.begin() + 2, args.end());

    TQuietArchiveUi ui(answer, true);
    try {
        TArchiveManager man(ui);
        if (verbose) man.OnLog = [](const std::string& text) { std::fprintf(stderr, "%s\n", text.c_str()); };
        if (command == "create") return Create(man, archive, rest);
        if (command == "list") return List(man, archive);
        if (command == "extract") return Extract(man, archive, dir, rest);
        return Test(man, archive);
    } catch (const std::exception& e) {
        return Fail(e.what());
    }
}
