#include "archive/ArchiveFile.h"

#include "archive/ArchiveErrors.h"

#include <algorithm>
#include <cstring>
#include <ctime>
#include <limits>

bool IsNameSeparator(char c) {
    return c == '\\' || c == ':' || c == '/';
}

void SplitStoredName(const std::string& storedName, std::string& folder, std::string& fileName) {
    size_t cut = 0;
    for (size_t i = storedName.size(); i > 0; --i)
        if (IsNameSeparator(storedName[i - 1])) {
            cut = i;
            break;
        }
    folder = storedName.substr(0, cut);
    fileName = storedName.substr(cut);
}

void TCentralDirEntry::SetStoredName(const std::string& storedName) {
    SplitStoredName(storedName, Folder, FileName);
}

static char FoldCase(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool SameFileName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (FoldCase(a[i]) != FoldCase(b[i])) return false;
    return true;
}

const TCentralDirEntry* TCentralDir::Find(const std::string& fileName) const {
    for (const TCentralDirEntry& e : Entries)
        if (SameFileName(e.FileName, fileName)) return &e;
    return nullptr;
}

void TArchiveFile::WriteEmptyArchive() {
    Write(ArchiveSignature, 4);
    CentralDir = TCentralDir{};
    WriteCentralDir();
}

void TArchiveFile::CheckSignature(const char* signature) {
    char found[4];
    if (Read(found, 4) != 4 || std::memcmp(found, signature, 4) != 0) throw ESignatureWrong();
}

void TArchiveFile::OpenExisting() {
    Seek(0, TSeekOrigin::Begin);
    CheckSignature(ArchiveSignature);
    ReadCentralDir();
}

namespace {

[[noreturn]] void Corrupt(const std::string& what) {
    throw ECorruptArchive("Archive could be corrupted: " + what);
}

// An entry has to describe blocks that lie inside the data area, and sizes that its blocks
// can hold; otherwise extracting it would seek and read past what the file really has.
void CheckEntry(const TCentralDirEntry& e, int64_t dirOffset) {
    const TCentralFileHeader& h = e.Header;
    if (h.CompressedSize < 0 || h.UncompressedSize < 0 || h.BlockCount < 0)
        Corrupt("negative size or block count for '" + e.StoredName() + "'.");
    if (h.DataOffset < ArchiveHeaderSize || h.DataOffset > dirOffset)
        Corrupt("data offset of '" + e.StoredName() + "' lies outside the data area.");
    const int64_t dataEnd =
        int64_t{h.DataOffset} + int64_t{h.BlockCount} * BlockHeaderSize + int64_t{h.CompressedSize};
    if (dataEnd > dirOffset) Corrupt("blocks of '" + e.StoredName() + "' run past the data area.");
    // Every block holds 1 to 409600 bytes.
    if (int64_t{h.UncompressedSize} < h.BlockCount ||
        int64_t{h.UncompressedSize} > int64_t{h.BlockCount} * ArchiveBlockSize)
        Corrupt("size and block count of '" + e.StoredName() + "' do not agree.");
}

// Files never share blocks. Entries that did would let a small archive decode the same
// blocks over and over, so they are refused as damage.
void CheckNoSharedBlocks(const std::vector<TCentralDirEntry>& entries) {
    std::vector<std::pair<int64_t, int64_t>> ranges;
    for (const TCentralDirEntry& e : entries)
        if (e.Header.BlockCount > 0)
            ranges.emplace_back(e.Header.DataOffset, int64_t{e.Header.DataOffset} +
                                                         int64_t{e.Header.BlockCount} * BlockHeaderSize +
                                                         e.Header.CompressedSize);
    std::sort(ranges.begin(), ranges.end());
    for (size_t i = 1; i < ranges.size(); ++i)
        if (ranges[i].first < ranges[i - 1].second) Corrupt("two files claim the same blocks.");
}

} // namespace

void TArchiveFile::ReadCentralDir() {
    TCentralDir dir;
    const int64_t size = Size();
    if (size == 0) {
        CentralDir = dir;
        return;
    }
    if (size < CentralDirEndSize) Corrupt("the file is too short to hold a directory.");
    Seek(size - 4, TSeekOrigin::Begin);
    const int32_t dirOffset = ReadI32();
    if (dirOffset < 0) { // written that way means "no directory"
        CentralDir = dir;
        return;
    }
    if (dirOffset < ArchiveHeaderSize || int64_t{dirOffset} > size - CentralDirEndSize)
        Corrupt("the directory offset lies outside the file.");
    dir.DirOffset = dirOffset;
    Seek(dirOffset, TSeekOrigin::Begin);
    for (;;) {
        char signature[4];
        if (Read(signature, 4) != 4) Corrupt("the directory ends early.");
        if (std::memcmp(signature, CentralFileSignature, 4) == 0) {
            // Six numbers and at least the name's terminator must still be there.
            if (size - Position() < CentralFileHeaderSize - 4 + 1) Corrupt("the directory ends early.");
            TCentralDirEntry e;
            TCentralFileHeader& h = e.Header;
            h.CompressedSize = ReadI32();
            h.UncompressedSize = ReadI32();
            h.BlockCount = ReadI32();
            h.DataOffset = ReadI32();
            h.DateTime = ReadI32();
            h.Attributes = ReadI32();
            e.SetStoredName(ReadZString(static_cast<size_t>(size - Position())));
            CheckEntry(e, dirOffset);
            dir.Entries.push_back(std::move(e));
        } else if (std::memcmp(signature, CentralDirEndSignature, 4) == 0) {
            if (size - Position() < CentralDirEndSize - 4) Corrupt("the directory ends early.");
            dir.BlockSize = ReadI32();
            ReadI32(); // the directory offset again; already taken from the end of the file
            break;
        } else {
            throw ESignatureWrong();
        }
    }
    CheckNoSharedBlocks(dir.Entries);
    CentralDir = std::move(dir);
}

void TArchiveFile::WriteCentralDir() {
    const int64_t dirOffset = Position();
    if (dirOffset > std::numeric_limits<int32_t>::max())
        throw EInOutError("The archive would grow past 2 GB; it cannot hold more files.");
    for (const TCentralDirEntry& e : CentralDir.Entries) {
        Write(CentralFileSignature, 4);
        WriteI32(e.Header.CompressedSize);
        WriteI32(e.Header.UncompressedSize);
        WriteI32(e.Header.BlockCount);
        WriteI32(e.Header.DataOffset);
        WriteI32(e.Header.DateTime);
        WriteI32(e.Header.Attributes);
        WriteZString(e.StoredName());
    }
    Write(CentralDirEndSignature, 4);
    WriteI32(ArchiveBlockSize);
    WriteI32(static_cast<int32_t>(dirOffset));
    CentralDir.BlockSize = ArchiveBlockSize;
    CentralDir.DirOffset = static_cast<int32_t>(dirOffset);
}

int32_t UnixTimeToDosDateTime(int64_t unixTime) {
    const std::time_t t = static_cast<std::time_t>(unixTime);
    std::tm lt{};
    if (!localtime_r(&t, &lt)) return (1 << 21) | (1 << 16); // 1980-01-01 00:00
    int year = lt.tm_year + 1900;
    // The packed form covers 1980..2107; earlier and later times are pinned to its ends.
    if (year < 1980) return (1 << 21) | (1 << 16);
    if (year > 2107) {
        year = 2107;
        lt = std::tm{};
        lt.tm_mon = 11;
        lt.tm_mday = 31;
        lt.tm_hour = 23;
        lt.tm_min = 59;
        lt.tm_sec = 58;
    }
    const uint32_t packed =
        (static_cast<uint32_t>(year - 1980) << 25) | (static_cast<uint32_t>(lt.tm_mon + 1) << 21) |
        (static_cast<uint32_t>(lt.tm_mday) << 16) | (static_cast<uint32_t>(lt.tm_hour) << 11) |
        (static_cast<uint32_t>(lt.tm_min) << 5) | (static_cast<uint32_t>(lt.tm_sec / 2));
    return static_cast<int32_t>(packed);
}

bool DosDateTimeToUnixTime(int32_t dosDateTime, int64_t& unixTime) {
    const uint32_t v = static_cast<uint32_t>(dosDateTime);
    std::tm lt{};
    lt.tm_sec = static_cast<int>(v & 31) * 2;
    lt.tm_min = static_cast<int>((v >> 5) & 63);
    lt.tm_hour = static_cast<int>((v >> 11) & 31);
    lt.tm_mday = static_cast<int>((v >> 16) & 31);
    lt.tm_mon = static_cast<int>((v >> 21) & 15) - 1;
    lt.tm_year = static_cast<int>(v >> 25) + 80;
    lt.tm_isdst = -1;
    if (lt.tm_sec > 59 || lt.tm_min > 59 || lt.tm_hour > 23 || lt.tm_mday < 1 || lt.tm_mon < 0 ||
        lt.tm_mon > 11)
        return false;
    const std::time_t t = std::mktime(&lt);
    if (t == static_cast<std::time_t>(-1)) return false;
    unixTime = static_cast<int64_t>(t);
    return true;
}
