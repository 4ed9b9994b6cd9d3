#include "persist/DatabaseLocation.h"

#include <filesystem>

#include "state/TextFields.h"

std::string FindGameDatabase(const std::string& dataFolder, const std::string& programFolder) {
    for (const std::string& folder : {dataFolder, programFolder}) {
        if (folder.empty()) continue;
        const std::string name = FindFileNoCase(folder, "Database.pck");
        std::error_code error;
        if (!name.empty() && std::filesystem::is_regular_file(WithBackslash(folder) + name, error))
            return WithBackslash(folder) + name;
    }
    return "";
}
