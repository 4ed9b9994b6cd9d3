#include "state/Folders.h"

#include "state/TextFields.h"

namespace {
std::string ExistingOr(const std::string& folder, const char* name) {
    const std::string found = FindFileNoCase(folder, name);
    return found.empty() ? name : found;
}
} // namespace

std::string TFolders::SaveFolderIn(const std::string& data) {
    const std::string folder = data.empty() || data.back() == '/' ? data : data + "/";
    return folder + ExistingOr(folder.empty() ? "." : folder, "QlSave") + "/";
}

std::string TFolders::SaveArchiveIn(const std::string& data) {
    const std::string folder = SaveFolderIn(data);
    return folder + ExistingOr(folder, "sav.sav");
}
