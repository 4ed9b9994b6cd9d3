#include "start/Folders.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "state/TextFields.h"

#ifndef QUILLON_DATA_FROM_BIN
#define QUILLON_DATA_FROM_BIN "../share/quillon"
#endif

namespace fs = std::filesystem;

namespace {

std::string Variable(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

// An XDG variable counts only when it names an absolute folder; otherwise its default holds.
std::string UserFolder(const std::string& xdg, const std::string& home, const char* fallback) {
    if (!xdg.empty() && xdg.front() == '/') return WithBackslash(xdg) + "quillon/";
    return WithBackslash(home) + fallback + "/quillon/";
}

} // namespace

TFolders FoldersAt(const std::string& folder) {
    return {WithBackslash(folder), WithBackslash(folder)};
}

std::string InstalledDataFolder(const std::string& executableFolder) {
    return WithBackslash((fs::path(executableFolder) / QUILLON_DATA_FROM_BIN).lexically_normal().string());
}

TFolders FoldersFor(const std::string& executableFolder, const TUserEnvironment& environment) {
    const std::string shared = InstalledDataFolder(executableFolder);
    std::error_code error;
    if (!fs::is_directory(shared, error) || FindFileNoCase(shared, "Database.pck").empty())
        return FoldersAt(executableFolder);
    TFolders folders;
    folders.Program = shared;
    folders.Data = UserFolder(environment.XdgDataHome, environment.Home, ".local/share");
    folders.Config = UserFolder(environment.XdgConfigHome, environment.Home, ".config");
    folders.Installed = true;
    return folders;
}

TFolders DefaultFolders() {
    TUserEnvironment environment{Variable("HOME"), Variable("XDG_DATA_HOME"), Variable("XDG_CONFIG_HOME")};
    if (environment.Home.empty()) {
        if (const passwd* account = getpwuid(getuid()); account && account->pw_dir)
            environment.Home = account->pw_dir;
        else
            environment.Home = fs::temp_directory_path().string();
    }
    TFolders folders = FoldersFor(AppDirectory(), environment);
    if (folders.Installed) {
        std::error_code ignored;
        fs::create_directories(folders.Data, ignored);
        fs::create_directories(folders.Config, ignored);
    }
    return folders;
}
