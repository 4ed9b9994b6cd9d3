#pragma once
// Opens, creates and closes archives, adds files to them and extracts stored files, telling
// whoever listens through its events. One archive is open at a time.
#include "archive/ArchiveFile.h"
#include "archive/ArchiveUi.h"
#include "archive/BlockCodec.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

struct TExtractResult {
    int Count = 0;     // files extracted
    int64_t Bytes = 0; // sum of their uncompressed sizes
};

class TArchiveBuilder;

class TArchiveManager {
public:
    explicit TArchiveManager(TArchiveUi& ui);
    ~TArchiveManager();
    TArchiveManager(const TArchiveManager&) = delete;
    TArchiveManager& operator=(const TArchiveManager&) = delete;

    // A name without extension gets ".rs". A missing archive is created (16 bytes), after a
    // Yes to the question when askBeforeCreate; any other answer raises EUserCancel.
    void OpenArchive(const std::string& fileName, bool askBeforeCreate);
    void CloseArchive();
    bool IsOpen() const { return Archive != nullptr; }

    // Adds the files in order and returns how many were added. Relative names are taken from
    // `folder` when given, else from the archive's folder; the stored name is the name as
    // listed. The archive is rebuilt in a temporary file beside it that replaces it only once
    // complete: any failure leaves the old archive as it was.
    int AddFiles(const std::vector<std::string>& fileNames, const std::string& folder = {});

    // Extracts the entries, in order, into the extraction folder (only the file-name part of a
    // stored name is used). A declined overwrite, a refused name or a corrupt block skips that
    // entry; a cancel or a wrong signature stops everything (EUserCancel / ESignatureWrong).
    TExtractResult ExtractEntries(const std::vector<TCentralDirEntry>& entries);

    // Decodes every block of the entry without writing anything and checks the CRC-32s and the
    // size; problems are reported through the interface. True when all is well.
    bool TestEntry(const TCentralDirEntry& entry);

    // The directory of the open archive (empty when none is open).
    const TCentralDir& CentralDir() const;
    const std::string& ArchiveName() const { return FullName; } // absolute
    const std::string& ArchiveFolder() const { return Folder; }
    const std::string& ArchiveFileName() const { return FileName; }

    // Where extracted files go; a relative folder is taken from the archive's folder, and an
    // empty one is the archive's folder itself.
    void SetExtractFolder(const std::string& folder) { ExtractFolder = folder; }
    const std::string& GetExtractFolder() const { return ExtractFolder; }

    // The show-messages switch: governs the overwrite question of extraction and the
    // component's notices. Questions about adding a name twice are asked either way.
    bool ShowMessages = true;

    // The archive name that OpenArchive would use for `fileName` (absolute, extension rule
    // applied, an existing file found whatever its letter case).
    static std::filesystem::path ResolveArchiveName(const std::string& fileName);

    std::function<void()> OnCentralDirChange;
    std::function<void(int percent)> OnProgress;
    std::function<void(const std::string& text)> OnStatus; // also goes to the log
    std::function<void(const std::string& text)> OnLog;    // texts start with "ArchiveMan: "

private:
    friend class TArchiveBuilder;

    void RequireOpen() const;
    void Log(const std::string& text);
    void Status(const std::string& text);
    void Progress(int percent);
    void CentralDirChanged();

    bool AddOneFile(TArchiveFile& target, const std::string& name, const std::filesystem::path& base,
                    std::vector<TCentralDirEntry>& entries);
    bool ExtractOne(const TCentralDirEntry& entry);
    std::filesystem::path ExtractionFolder() const;
    std::filesystem::path TemporaryName() const;

    TArchiveUi& Ui;
    std::unique_ptr<TBlockMan> Work;
    std::unique_ptr<TCompressor> Compressor;
    std::unique_ptr<TExpander> Expander;
    std::unique_ptr<TArchiveFile> Archive;
    std::string FullName;
    std::string Folder;
    std::string FileName;
    std::string ExtractFolder;
};

// A complete new archive, written from scratch into a temporary file beside `archiveName`.
// Commit() puts the new file on the disk and renames it over `archiveName`: the one moment the
// old archive (if any) is replaced. A builder that ends without Commit(), whatever the reason,
// removes its temporary file, so a failure at any point leaves the old archive as it was.
// Uses the manager's coder and interface, not its open archive.
class TArchiveBuilder {
public:
    TArchiveBuilder(TArchiveManager& manager, const std::string& archiveName);
    ~TArchiveBuilder();
    TArchiveBuilder(const TArchiveBuilder&) = delete;
    TArchiveBuilder& operator=(const TArchiveBuilder&) = delete;

    // Compresses `folder`/`name` into the new archive, stored as `name`. EInOutError when the
    // file cannot be read or the archive cannot be written.
    void Add(const std::string& name, const std::string& folder);
    // Writes the directory, syncs the file, renames it over the archive and syncs the folder.
    // EInOutError when any of it fails (the old archive is then untouched).
    void Commit();

    const std::string& ArchiveName() const { return FinalName; } // absolute
    int Count() const { return static_cast<int>(Entries.size()); }

private:
    TArchiveManager& Manager;
    std::string FinalName;
    std::filesystem::path TempPath;
    std::unique_ptr<TArchiveFile> Target;
    std::vector<TCentralDirEntry> Entries;
    bool Committed = false;
};

// The entry of `folder` named `name` without regard to letter case: the exact name when it
// exists, else the first case variant found, else folder / name.
std::filesystem::path FindFileIgnoringCase(const std::filesystem::path& folder, const std::string& name);

// Whether an entry's file name can be written inside a destination folder as it is: not
// empty, not made only of dots, and free of separators and control bytes.
bool IsSafeFileName(const std::string& fileName);
