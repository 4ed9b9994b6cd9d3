#include "archive/ArchiveManager.h"

#include "archive/ArchiveErrors.h"

#include <algorithm>
#include <fcntl.h>
#include <limits>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

constexpr int64_t MaxArchiveOffset = std::numeric_limits<int32_t>::max();

// Names reach us in the game's DOS form as well ("QlSave\sav.sav"); on this host the
// backslash is no folder separator, so it is mapped.
std::string HostPathText(std::string name) {
    std::replace(name.begin(), name.end(), '\\', '/');
    return name;
}

// The name of a file to add: relative names are taken from `base`; an existing file is
// found whatever its letter case.
fs::path SourcePath(const std::string& name, const fs::path& base) {
    fs::path p = name;
    std::error_code ec;
    if (!p.is_absolute()) p = base / p;
    if (fs::exists(p, ec)) return p;
    fs::path mapped = HostPathText(name);
    if (!mapped.is_absolute()) mapped = base / mapped;
    if (fs::exists(mapped, ec)) return mapped;
    return FindFileIgnoringCase(mapped.parent_path(), mapped.filename().string());
}

void DateAndAttributes(const fs::path& path, TCentralFileHeader& h) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) return;
    h.DateTime = UnixTimeToDosDateTime(static_cast<int64_t>(st.st_mtime));
    h.Attributes = AttrArchive;
    if (!(st.st_mode & S_IWUSR)) h.Attributes |= AttrReadOnly;
}

// Fills the buffer as far as the file allows: every block but the last must be full.
size_t ReadFully(TBufferedFileStream& in, uint8_t* dst, size_t n) {
    size_t done = 0;
    while (done < n) {
        const size_t k = in.Read(dst + done, n - done);
        if (k == 0) break;
        done += k;
    }
    return done;
}

void SetModificationTime(const fs::path& path, int32_t dosDateTime) {
    int64_t t = 0;
    if (!DosDateTimeToUnixTime(dosDateTime, t)) return; // no usable time stored: keep "now"
    struct timespec times[2];
    times[0].tv_sec = static_cast<time_t>(t);
    times[0].tv_nsec = 0;
    times[1] = times[0];
    ::utimensat(AT_FDCWD, path.c_str(), times, 0);
}

// The host has no read-only attribute; the owner's write permission stands for it.
void SetAttributes(const fs::path& path, int32_t attributes) {
    std::error_code ec;
    constexpr fs::perms write = fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
    if (attributes & AttrReadOnly)
        fs::permissions(path, write, fs::perm_options::remove, ec);
    else
        fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write, fs::perm_options::add, ec);
}

std::string LengthMismatch(const TCentralDirEntry& entry) {
    return "Archive could be corrupted: the blocks of '" + entry.StoredName() + "' do not give " +
           std::to_string(entry.Header.UncompressedSize) + " bytes.";
}

// The new archive must be on the disk before it takes the old one's name.
bool SyncToDisk(const fs::path& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    const bool ok = ::fsync(fd) == 0;
    ::close(fd);
    return ok;
}

// A rename is only lasting once the folder that holds the name is on the disk too.
bool SyncFolder(const fs::path& folder) {
    const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return false;
    const bool ok = ::fsync(fd) == 0;
    ::close(fd);
    return ok;
}

void RemoveQuietly(const fs::path& path) {
    std::error_code ec;
    fs::remove(path, ec);
}

// Beside the archive, so that the final rename stays on one file system.
fs::path TemporaryNameBeside(const fs::path& folder, const std::string& fileName) {
    for (unsigned n = 0;; ++n) {
        fs::path p =
            folder / ("~" + fileName + "." + std::to_string(::getpid()) + "." + std::to_string(n) + ".tmp");
        std::error_code ec;
        if (!fs::exists(fs::symlink_status(p, ec))) return p;
    }
}

} // namespace

fs::path FindFileIgnoringCase(const fs::path& folder, const std::string& name) {
    const fs::path exact = folder / name;
    std::error_code ec;
    if (fs::exists(fs::symlink_status(exact, ec))) return exact;
    fs::directory_iterator it(folder.empty() ? fs::path(".") : folder, ec);
    for (const fs::directory_iterator end; !ec && it != end; it.increment(ec)) {
        const std::string candidate = it->path().filename().string();
        if (SameFileName(candidate, name)) return folder / candidate;
    }
    return exact;
}

bool IsSafeFileName(const std::string& fileName) {
    if (fileName.empty()) return false;
    if (fileName.find_first_not_of('.') == std::string::npos) return false;
    for (char c : fileName)
        if (IsNameSeparator(c) || static_cast<unsigned char>(c) < 0x20) return false;
    return true;
}

TArchiveManager::TArchiveManager(TArchiveUi& ui)
    : Ui(ui), Work(std::make_unique<TBlockMan>()), Compressor(std::make_unique<TCompressor>(*Work, ui)),
      Expander(std::make_unique<TExpander>(*Work, ui)) {}

TArchiveManager::~TArchiveManager() = default;

void TArchiveManager::Log(const std::string& text) {
    if (OnLog) OnLog("ArchiveMan: " + text);
}

void TArchiveManager::Status(const std::string& text) {
    if (OnStatus) OnStatus(text);
    Log(text);
}

void TArchiveManager::Progress(int percent) {
    if (OnProgress) OnProgress(percent);
}

void TArchiveManager::CentralDirChanged() {
    if (OnCentralDirChange) OnCentralDirChange();
}

void TArchiveManager::RequireOpen() const {
    if (!Archive) throw EInOutError("No archive is open.");
}

const TCentralDir& TArchiveManager::CentralDir() const {
    static const TCentralDir none;
    return Archive ? Archive->CentralDir : none;
}

fs::path TArchiveManager::ResolveArchiveName(const std::string& fileName) {
    if (fileName.empty()) throw EFileOpenError("No archive name given.");
    fs::path p = fs::absolute(fs::path(HostPathText(fileName))).lexically_normal();
    std::string file = p.filename().string();
    if (file.find('.') == std::string::npos) file += ".";
    if (file.back() == '.') file += "rs";
    return FindFileIgnoringCase(p.parent_path(), file);
}

void TArchiveManager::OpenArchive(const std::string& fileName, bool askBeforeCreate) {
    if (Archive) CloseArchive();
    const fs::path path = ResolveArchiveName(fileName);
    FullName = path.string();
    Folder = path.parent_path().string();
    FileName = path.filename().string();
    // The folder is remembered rather than made current: the game runs other work in the same
    // process and relative names are resolved against Folder where they are used.

    std::error_code ec;
    if (!fs::exists(path, ec)) {
        if (askBeforeCreate) {
            const TArchiveAnswer answer =
                Ui.Ask("The archive file " + FullName + " does not exist. Do you want to create a new file?",
                       "Create new archive?", TArchiveButtons::YesNoCancel);
            if (answer != TArchiveAnswer::Yes) throw EUserCancel("Create new archive cancelled");
        }
        TArchiveFile created(FullName, TFileMode::Create);
        created.WriteEmptyArchive();
        created.Close();
    }
    auto archive = std::make_unique<TArchiveFile>(FullName, TFileMode::OpenRead);
    archive->OpenExisting();
    Archive = std::move(archive);

    CentralDirChanged();
    Log("Archive Opened - " + FullName);
    Log("CentralDir Loaded");
}

void TArchiveManager::CloseArchive() {
    if (!Archive) return;
    Archive.reset();
    Log("Archive Closed - " + FullName);
}

fs::path TArchiveManager::TemporaryName() const {
    return TemporaryNameBeside(fs::path(Folder), FileName);
}

int TArchiveManager::AddFiles(const std::vector<std::string>& fileNames, const std::string& folder) {
    RequireOpen();
    if (fileNames.empty()) return 0;
    const fs::path base = folder.empty() ? fs::path(Folder) : (fs::path(Folder) / HostPathText(folder));

    std::vector<TCentralDirEntry> entries = Archive->CentralDir.Entries;
    const int32_t dirOffset = Archive->CentralDir.DirOffset;
    const fs::path tempPath = TemporaryName();
    int added = 0;
    try {
        TArchiveFile temp(tempPath.string(), TFileMode::Create);
        temp.Write(ArchiveSignature, 4);
        // The old data area goes over unchanged, so the old entries keep their offsets.
        Archive->Seek(ArchiveHeaderSize, TSeekOrigin::Begin);
        std::vector<uint8_t> chunk(65536);
        for (int64_t left = int64_t{dirOffset} - ArchiveHeaderSize; left > 0;) {
            const size_t want =
                static_cast<size_t>(std::min<int64_t>(left, static_cast<int64_t>(chunk.size())));
            if (Archive->Read(chunk.data(), want) != want)
                throw ECorruptArchive("Archive could be corrupted: its data area ends early.");
            temp.Write(chunk.data(), want);
            left -= static_cast<int64_t>(want);
        }
        for (const std::string& name : fileNames)
            if (AddOneFile(temp, name, base, entries)) ++added;
        temp.CentralDir.Entries = entries;
        temp.WriteCentralDir();
        const int64_t expectedSize = temp.Position();
        temp.Close();
        // A short write that went unnoticed must not replace a good archive.
        std::error_code ec;
        if (added > 0 &&
            (static_cast<int64_t>(fs::file_size(tempPath, ec)) != expectedSize || !SyncToDisk(tempPath)))
            throw EInOutError("Could not write the archive file " + FullName + ".");
    } catch (...) {
        RemoveQuietly(tempPath);
        throw;
    }

    if (added == 0) {
        // Nothing new: the rebuilt file would equal the old one.
        RemoveQuietly(tempPath);
    } else {
        Archive.reset();
        std::error_code ec;
        fs::rename(tempPath, FullName, ec);
        if (ec) {
            RemoveQuietly(tempPath);
            OpenArchive(FullName, true);
            throw EInOutError("Could not replace the archive file " + FullName + ": " + ec.message());
        }
        OpenArchive(FullName, true);
    }
    CentralDirChanged();
    return added;
}

bool TArchiveManager::AddOneFile(TArchiveFile& target, const std::string& name, const fs::path& base,
                                 std::vector<TCentralDirEntry>& entries) {
    Status("Adding file - " + name);
    const fs::path path = SourcePath(name, base);
    std::error_code ec;
    if (fs::is_directory(path, ec)) {
        Ui.ShowMessage("Could not add: '" + name + "'. Adding of folders is not supported.", "Error");
        return false;
    }

    TCentralDirEntry entry;
    entry.SetStoredName(name);
    const bool known = std::any_of(entries.begin(), entries.end(), [&](const TCentralDirEntry& e) {
        return SameFileName(e.FileName, entry.FileName);
    });
    if (known && Ui.Ask("A file of name '" + entry.FileName +
                            "' already exists in the archive. Do you still want to add the file?",
                        "Confirmation", TArchiveButtons::YesNo) != TArchiveAnswer::Yes)
        return false;
    DateAndAttributes(path, entry.Header);

    std::unique_ptr<TBufferedFileStream> in;
    try {
        in = std::make_unique<TBufferedFileStream>(path.string(), TFileMode::OpenRead);
    } catch (const EFileOpenError&) {
        Ui.ShowMessage("Cannot open file: '" + name + "'." + "\r" + "It will not be added.", " Error");
        return false;
    }
    const int64_t size = in->Size();
    if (size > MaxArchiveOffset) {
        Ui.ShowMessage("Could not add: '" + name + "'. Files of 2 GB and more cannot be stored.", "Error");
        return false;
    }
    int64_t blocks = size / ArchiveBlockSize;
    if (size % ArchiveBlockSize != 0 || blocks == 0) ++blocks;
    Log("File size = " + std::to_string(size) + " bytes  (Num blocks=" + std::to_string(blocks) + ")");

    if (target.Position() > MaxArchiveOffset) throw EInOutError("The archive would grow past 2 GB.");
    entry.Header.DataOffset = static_cast<int32_t>(target.Position());
    int64_t total = 0;
    for (int i = 0;; ++i) {
        const size_t n = ReadFully(*in, Compressor->BlockBuffer(), ArchiveBlockSize);
        if (n == 0) break;
        total += static_cast<int64_t>(n);
        if (total > MaxArchiveOffset)
            throw EInOutError("File '" + name + "' grew past 2 GB while being added.");
        const int32_t coded = Compressor->CompressBlock(target, static_cast<int32_t>(n));
        if (target.Position() > MaxArchiveOffset) throw EInOutError("The archive would grow past 2 GB.");
        entry.Header.BlockCount += 1;
        entry.Header.CompressedSize += coded;
        entry.Header.UncompressedSize += static_cast<int32_t>(n);
        Log("Block " + std::to_string(i) + " OK, (Raw size=" + std::to_string(n) +
            " Compressed= " + std::to_string(coded) + ")");
    }
    entries.push_back(std::move(entry));
    return true;
}

fs::path TArchiveManager::ExtractionFolder() const {
    if (ExtractFolder.empty()) return fs::path(Folder);
    return fs::path(Folder) / HostPathText(ExtractFolder); // an absolute folder replaces Folder
}

TExtractResult TArchiveManager::ExtractEntries(const std::vector<TCentralDirEntry>& entries) {
    RequireOpen();
    TExtractResult result;
    for (const TCentralDirEntry& entry : entries) {
        try {
            if (ExtractOne(entry)) {
                ++result.Count;
                result.Bytes += entry.Header.UncompressedSize;
            }
        } catch (const EFileNotExtracted& e) {
            Log(e.what());
        }
    }
    return result;
}

bool TArchiveManager::ExtractOne(const TCentralDirEntry& entry) {
    Progress(0);
    if (!IsSafeFileName(entry.FileName)) {
        // Only the file-name part is ever used, so a stored path cannot lead out of the
        // destination; what is left here has no usable name at all.
        const std::string text = "Cannot extract '" + entry.StoredName() +
                                 "': the stored name does not give a file name. The file is skipped.";
        Ui.ShowMessage(text, "Error");
        Log(text);
        return false;
    }
    const fs::path dest = FindFileIgnoringCase(ExtractionFolder(), entry.FileName);
    const std::string destName = dest.string();

    std::error_code ec;
    const fs::file_status st = fs::status(dest, ec);
    if (fs::exists(st)) {
        if (!fs::is_regular_file(st)) {
            const std::string text =
                "Cannot extract '" + entry.FileName + "': " + destName + " is not a file.";
            Ui.ShowMessage(text, "Error");
            Log(text);
            return false;
        }
        if (ShowMessages) {
            const TArchiveAnswer answer =
                Ui.Ask("The file " + destName + " exists. Do you want to overwrite the file?", "Warning",
                       TArchiveButtons::YesNoCancel);
            if (answer == TArchiveAnswer::Cancel) throw EUserCancel("Extract operation cancelled");
            if (answer == TArchiveAnswer::No) throw EFileNotExtracted();
        }
        fs::permissions(dest, fs::perms::owner_read | fs::perms::owner_write, fs::perm_options::add, ec);
        if (ec) throw EInOutError("Cannot clear dest file attributes");
    }

    const int32_t blocks = entry.Header.BlockCount;
    Status("Extracting " + destName);
    Log("Total number of blocks - " + std::to_string(blocks));

    std::unique_ptr<TBufferedFileStream> out;
    try {
        out = std::make_unique<TBufferedFileStream>(destName, TFileMode::Create);
    } catch (const EFileOpenError& e) {
        Ui.ShowMessage(e.what(), "Error");
        Log(e.what());
        return false;
    }
    try {
        Archive->Seek(entry.Header.DataOffset, TSeekOrigin::Begin);
        int64_t written = 0;
        for (int32_t k = 1; k <= blocks; ++k) {
            const bool ok = Expander->ExpandBlock(*Archive, [&](const uint8_t* p, size_t n) {
                out->Write(p, n);
                written += static_cast<int64_t>(n);
            });
            // The blocks must give exactly the size the directory promised, or the entry and its
            // blocks do not belong together.
            if (written > entry.Header.UncompressedSize) throw ECorruptArchive(LengthMismatch(entry));
            Log("Block " + std::to_string(k - 1) + (ok ? " Expand and CRC32 Check OK." : " Expand Error."));
            Progress(static_cast<int>(int64_t{k} * 100 / blocks));
            Ui.ProcessEvents();
        }
        if (written != entry.Header.UncompressedSize) throw ECorruptArchive(LengthMismatch(entry));
        out->Close();
    } catch (const EArchiveError& e) {
        // Half a file is worse than none: the player would load it as if it were whole.
        out.reset();
        RemoveQuietly(dest);
        const bool corruptBlock = dynamic_cast<const ECorruptArchive*>(&e) != nullptr ||
                                  dynamic_cast<const EBitReadLimit*>(&e) != nullptr;
        if (!corruptBlock) throw;
        const std::string text =
            std::string(e.what()) + " File '" + entry.FileName + "' could not be extracted.";
        Ui.ShowMessage(text, "Error");
        Log(text);
        return false;
    } catch (...) {
        out.reset();
        RemoveQuietly(dest);
        throw;
    }
    out.reset();
    SetModificationTime(dest, entry.Header.DateTime);
    SetAttributes(dest, entry.Header.Attributes);
    return true;
}

bool TArchiveManager::TestEntry(const TCentralDirEntry& entry) {
    RequireOpen();
    int64_t total = 0;
    bool ok = true;
    try {
        Archive->Seek(entry.Header.DataOffset, TSeekOrigin::Begin);
        for (int32_t k = 1; k <= entry.Header.BlockCount; ++k) {
            const bool blockOk = Expander->ExpandBlock(
                *Archive, [&](const uint8_t*, size_t n) { total += static_cast<int64_t>(n); });
            Log("Block " + std::to_string(k - 1) +
                (blockOk ? " Expand and CRC32 Check OK." : " Expand Error."));
            ok = ok && blockOk;
            Ui.ProcessEvents();
        }
    } catch (const ECorruptArchive& e) {
        Ui.ShowMessage(std::string(e.what()) + " File '" + entry.StoredName() + "' is damaged.", "Error");
        return false;
    } catch (const EBitReadLimit& e) {
        Ui.ShowMessage(std::string(e.what()) + " File '" + entry.StoredName() + "' is damaged.", "Error");
        return false;
    } catch (const ESignatureWrong& e) {
        Ui.ShowMessage(std::string(e.what()) + " File '" + entry.StoredName() + "' is damaged.", "Error");
        return false;
    }
    if (ok && total != entry.Header.UncompressedSize) {
        Ui.ShowMessage("File '" + entry.StoredName() + "' decodes to " + std::to_string(total) +
                           " bytes; the directory says " + std::to_string(entry.Header.UncompressedSize) +
                           ".",
                       "Error");
        return false;
    }
    return ok;
}

TArchiveBuilder::TArchiveBuilder(TArchiveManager& manager, const std::string& archiveName)
    : Manager(manager) {
    const fs::path path = TArchiveManager::ResolveArchiveName(archiveName);
    FinalName = path.string();
    TempPath = TemporaryNameBeside(path.parent_path(), path.filename().string());
    try {
        Target = std::make_unique<TArchiveFile>(TempPath.string(), TFileMode::Create);
        Target->Write(ArchiveSignature, 4);
    } catch (...) {
        Target.reset();
        RemoveQuietly(TempPath);
        throw;
    }
    Manager.Log("New archive - " + FinalName);
}

TArchiveBuilder::~TArchiveBuilder() {
    if (Committed) return;
    Target.reset(); // closes without reporting: the file is removed anyway
    RemoveQuietly(TempPath);
}

void TArchiveBuilder::Add(const std::string& name, const std::string& folder) {
    if (!Target) throw EInOutError("The new archive " + FinalName + " is already complete.");
    if (!Manager.AddOneFile(*Target, name, fs::path(HostPathText(folder)), Entries))
        throw EInOutError("Could not add " + name + " to the archive " + FinalName + ".");
}

void TArchiveBuilder::Commit() {
    if (!Target) throw EInOutError("The new archive " + FinalName + " is already complete.");
    Target->CentralDir.Entries = Entries;
    Target->WriteCentralDir();
    const int64_t expectedSize = Target->Position();
    Target->Close();
    Target.reset();
    // A short write that went unnoticed must not replace a good archive.
    std::error_code ec;
    if (static_cast<int64_t>(fs::file_size(TempPath, ec)) != expectedSize || ec || !SyncToDisk(TempPath))
        throw EInOutError("Could not write the archive file " + FinalName + ".");
    fs::rename(TempPath, FinalName, ec);
    if (ec) throw EInOutError("Could not replace the archive file " + FinalName + ": " + ec.message());
    Committed = true;
    // The new archive is in place; a folder that cannot be synced only delays when it is lasting.
    SyncFolder(fs::path(FinalName).parent_path());
    Manager.Log("Archive written - " + FinalName);
}
