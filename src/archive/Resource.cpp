#include "archive/Resource.h"

#include <filesystem>

namespace {

// Closes the archive and takes the busy cursor away however the operation ends.
class TOperationGuard {
public:
    TOperationGuard(TArchiveManager& manager, TArchiveUi& ui) : Manager(manager), Ui(ui) {}
    ~TOperationGuard() {
        Manager.CloseArchive();
        if (Busy) Ui.SetBusy(false);
    }
    void SetBusy() {
        Ui.SetBusy(true);
        Busy = true;
    }
    TOperationGuard(const TOperationGuard&) = delete;
    TOperationGuard& operator=(const TOperationGuard&) = delete;

private:
    TArchiveManager& Manager;
    TArchiveUi& Ui;
    bool Busy = false;
};

} // namespace

TResource::TResource(TArchiveUi& ui) : Manager(ui), Ui(ui) {
    Manager.OnLog = [this](const std::string& text) {
        if (OnAddLog) OnAddLog(*this, text);
    };
    Manager.OnCentralDirChange = [this] {
        if (OnCentralDirChange) OnCentralDirChange(*this);
    };
}

void TResource::Notice(const std::string& text, const std::string& caption) {
    if (Manager.ShowMessages) Ui.ShowMessage(text, caption);
}

bool TResource::CompressToArchive(const std::string& fileName, const std::string& archiveName) {
    if (Manager.IsOpen()) {
        Notice("Resource: ArchiveMan cannot be opened to use CompressToArchive", "Error");
        return false;
    }
    TOperationGuard guard(Manager, Ui);
    Manager.OpenArchive(archiveName, false);
    guard.SetBusy();
    const bool added = Manager.AddFiles({fileName}) == 1;
    Notice(added ? "Resource.CompressToArchive: One file added to archive."
                 : "Resource.CompressToArchive: Error No Files Added",
           "Error");
    return added;
}

int TResource::DecompressFromArchive(const std::string& archiveName, const std::string& destFolder,
                                     const std::string& fileName) {
    std::error_code ec;
    if (!std::filesystem::exists(TArchiveManager::ResolveArchiveName(archiveName), ec)) {
        Notice("Resource.DecompressFromArchive: Archive file does not exist.", "Error");
        return 0;
    }
    TOperationGuard guard(Manager, Ui);
    Manager.OpenArchive(archiveName, true);
    guard.SetBusy();
    Manager.SetExtractFolder(destFolder);

    std::vector<TCentralDirEntry> wanted;
    if (fileName.empty()) {
        wanted = Manager.CentralDir().Entries;
    } else if (const TCentralDirEntry* e = Manager.CentralDir().Find(fileName)) {
        wanted.push_back(*e);
    }
    const TExtractResult result = Manager.ExtractEntries(wanted);
    if (result.Count == 0) Notice("Error: No files extracted", "");
    return result.Count;
}
