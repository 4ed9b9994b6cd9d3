#include "start/Folders.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "state/TextFields.h"

TFolders FoldersAt(const std::string& folder) {
    return {WithBackslash(folder), WithBackslash(folder)};
}

TFolders DefaultFolders() {
    TFolders folders = FoldersAt(AppDirectory());
    if (access(folders.Program.c_str(), W_OK) == 0) return folders;
    std::string base;
    if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg && *xdg)
        base = xdg;
    else if (const char* home = std::getenv("HOME"); home && *home)
        base = std::string(home) + "/.local/share";
    else
        return folders;
    folders.Data = WithBackslash(base + "/quillon");
    std::error_code ignored;
    std::filesystem::create_directories(folders.Data, ignored);
    return folders;
}
