// quillon-update: one look for updates without a window, as the game's "Download Updates"
// window makes it, with the log printed oldest line first.
//
//   quillon-update --server URL --dir DIR [--public-key KEY] [--apply-to FOLDER]
//
// The files are saved into DIR (created when missing); a file of the same size there is not
// fetched again. Updates must be signed with the key built into this program, or with KEY (64
// hex digits, or a file holding them, as quillon-sign new-key writes) for a maintainer trying a
// folder before publishing it: the key comes from the person running the command and never
// from a server or a setting, and the game itself takes no such option. --apply-to puts a
// program fetched by this run in place in FOLDER (its "quillon" kept as "quillon.old"). Exit
// status 0 once the check has run, whatever it found; 1 when the program could not be put in
// place; 2 on bad arguments.
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>

#include "archive/ArchiveUi.h"
#include "online/ProgramUpdate.h"
#include "online/ServerText.h"
#include "online/Signing.h"
#include "online/UpdateCheck.h"
#include "state/TextFields.h"

namespace {

int Usage(const char* why) {
    if (why) std::fprintf(stderr, "quillon-update: %s\n", why);
    std::fprintf(stderr,
                 "usage: quillon-update --server URL --dir DIR [--public-key KEY] [--apply-to FOLDER]\n"
                 "  Looks for updates on the server (its qstudio/ folder) and saves them into DIR.\n"
                 "  KEY: the update key (hex, or a file holding it) instead of the built-in one.\n"
                 "  FOLDER: where a fetched program replaces its quillon.\n");
    return 2;
}

// The key text itself, or what the named file holds.
std::string KeyText(const std::string& value) {
    if (IsPublicKeyText(value)) return value;
    std::ifstream in(value, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return Trim(text.str());
}

} // namespace

int main(int argc, char* argv[]) {
    std::string server;
    std::string dir;
    std::string key;
    std::string applyTo;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            Usage(nullptr);
            return 0;
        }
        std::string* value = arg == "--server"       ? &server
                             : arg == "--dir"        ? &dir
                             : arg == "--public-key" ? &key
                             : arg == "--apply-to"   ? &applyTo
                                                     : nullptr;
        if (!value) return Usage(("unknown argument " + arg).c_str());
        if (i + 1 >= argc || argv[i + 1][0] == '\0') return Usage((arg + " needs a value").c_str());
        *value = argv[++i];
    }
    if (server.empty()) return Usage("--server is missing");
    if (dir.empty()) return Usage("--dir is missing");

    TUpdateRequest request;
    request.Server = server;
    request.DownloadFolder = dir;
    request.InstalledFolder = dir;
    if (!key.empty()) {
        request.PublicKey = KeyText(key);
        if (!IsPublicKeyText(request.PublicKey))
            return Usage("--public-key is no key (64 hex digits) nor a file with one");
    }
    TUpdateCheck check(request);
    check.OnLog = [](const std::string& line) {
        // The check cleans what it reports; the terminal gets nothing else either way.
        std::printf("%s\n", WithoutControlCharacters(line).c_str());
        std::fflush(stdout);
    };
    try {
        check.Run();
    } catch (const std::exception& error) {
        std::fprintf(stderr, "quillon-update: %s\n", error.what());
        return 1;
    }
    if (applyTo.empty()) return 0;
    std::string archive;
    for (const std::string& file : check.SavedFiles())
        if (UpperCase(file.substr(file.find_last_of('/') + 1)) == UpperCase(ProgramArchiveName))
            archive = file;
    if (archive.empty()) return 0;
    TQuietArchiveUi ui(TArchiveAnswer::No, false);
    const std::string executable = WithBackslash(applyTo) + request.ProgramName;
    const TProgramUpdate update =
        ApplyProgramUpdate(archive, applyTo, executable, ui, request.ProgramSizeLimit);
    std::printf("%s : %s\n", TUpdateCheck::LogTime().c_str(), update.Text.c_str());
    return update.Kind == TProgramUpdateKind::Applied ? 0 : 1;
}
