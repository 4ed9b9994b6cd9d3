#pragma once
// The archive component the game uses: one call adds a file to an archive (creating the
// archive when needed), one call extracts a named file or all of them. Each call opens the
// archive at its start and closes it at its end.
#include "archive/ArchiveManager.h"
#include "archive/ArchiveUi.h"

#include <functional>
#include <string>

class TResource {
public:
    // Messages start switched on.
    explicit TResource(TArchiveUi& ui);
    TResource(const TResource&) = delete;
    TResource& operator=(const TResource&) = delete;

    // True when the file was added.
    bool CompressToArchive(const std::string& fileName, const std::string& archiveName);
    // Extracts the first entry named fileName (letter case ignored), or every entry when
    // fileName is empty, into destFolder. Returns the number of files extracted. EUserCancel
    // and ESignatureWrong reach the caller after the archive is closed.
    int DecompressFromArchive(const std::string& archiveName, const std::string& destFolder,
                              const std::string& fileName = {});
    // Switches the notices and the overwrite question off.
    void Silence() { Manager.ShowMessages = false; }
    bool ShowMessages() const { return Manager.ShowMessages; }
    void SetShowMessages(bool on) { Manager.ShowMessages = on; }

    std::function<void(TResource& sender, const std::string& text)> OnAddLog;
    std::function<void(TResource& sender)> OnCentralDirChange;

    TArchiveManager Manager;

private:
    void Notice(const std::string& text, const std::string& caption);

    TArchiveUi& Ui;
};
