// quillon-update: one look for updates without a window, as the game's "Download Updates"
// window makes it, with the log printed oldest line first.
//
//   quillon-update --server URL --dir DIR
//
// The files are saved into DIR (created when missing); a file of the same size there is not
// fetched again. Exit status 0 once the check has run, whatever it found; 2 on bad arguments.
#include <cstdio>
#include <cstring>
#include <string>

#include "online/UpdateCheck.h"

namespace {

int Usage(const char* why) {
    if (why) std::fprintf(stderr, "quillon-update: %s\n", why);
    std::fprintf(stderr,
                 "usage: quillon-update --server URL --dir DIR\n"
                 "  Looks for updates on the server (its qstudio/ folder) and saves them into DIR.\n");
    return 2;
}

} // namespace

int main(int argc, char* argv[]) {
    std::string server;
    std::string dir;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            Usage(nullptr);
            return 0;
        }
        std::string* value = arg == "--server" ? &server : arg == "--dir" ? &dir : nullptr;
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
    TUpdateCheck check(request);
    check.OnLog = [](const std::string& line) {
        std::printf("%s\n", line.c_str());
        std::fflush(stdout);
    };
    try {
        check.Run();
    } catch (const std::exception& error) {
        std::fprintf(stderr, "quillon-update: %s\n", error.what());
        return 1;
    }
    return 0;
}
