#pragma once
// The archive container: "QARC", the data blocks of every stored file, the central directory
// and the end record that points to it. TArchiveFile is the bit-level file that the block
// coder works on, plus the directory read from (or to be written to) that file.
#include "archive/BitFile.h"
#include "archive/BlockCodec.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

inline constexpr char ArchiveSignature[] = "QARC";
inline constexpr char DataBlockSignature[] = "DATA";
inline constexpr char CentralFileSignature[] = "CFHS";
inline constexpr char CentralDirEndSignature[] = "ECDR";

inline constexpr int32_t ArchiveHeaderSize = 4;      // the signature alone
inline constexpr int32_t CentralFileHeaderSize = 28; // signature and six numbers, then the name
inline constexpr int32_t CentralDirEndSize = 12;     // signature, block size, directory offset
inline constexpr int32_t EmptyArchiveSize = ArchiveHeaderSize + CentralDirEndSize;

// Attribute bits as stored (the archive keeps the DOS meaning whatever the host is).
inline constexpr int32_t AttrReadOnly = 1;
inline constexpr int32_t AttrHidden = 2;
inline constexpr int32_t AttrSystem = 4;
inline constexpr int32_t AttrArchive = 32;

// The six numbers of a central file header.
struct TCentralFileHeader {
    int32_t CompressedSize = 0;   // sum of the coded lengths, block headers not counted
    int32_t UncompressedSize = 0; // length of the stored file
    int32_t BlockCount = 0;
    int32_t DataOffset = 0; // absolute offset of the first block header
    int32_t DateTime = 0;   // packed DOS date-time
    int32_t Attributes = 0; // AttrReadOnly | AttrHidden | AttrSystem | AttrArchive
};

// One stored file. The stored name is kept split: Folder (up to and including the last
// separator, possibly empty) and FileName (the rest); StoredName() joins them again.
struct TCentralDirEntry {
    TCentralFileHeader Header;
    std::string FileName;
    std::string Folder;

    std::string StoredName() const { return Folder + FileName; }
    void SetStoredName(const std::string& storedName);
};

// Stored names come from DOS paths ("C:\Games\x.sav") as well as from Unix ones, so all
// of "\", ":" and "/" end a folder.
bool IsNameSeparator(char c);
void SplitStoredName(const std::string& storedName, std::string& folder, std::string& fileName);

// Letter case is ignored wherever file names are compared (plain ASCII folding: names are
// Windows-1252 bytes and only the ASCII letters have a case the game relies on).
bool SameFileName(std::string_view a, std::string_view b);

struct TCentralDir {
    std::vector<TCentralDirEntry> Entries;
    int32_t BlockSize = ArchiveBlockSize;
    int32_t DirOffset = ArchiveHeaderSize; // where the directory starts (end of the data area)

    // First entry whose file name matches (case ignored), or nullptr.
    const TCentralDirEntry* Find(const std::string& fileName) const;
};

class TArchiveFile : public TBitFile {
public:
    using TBitFile::TBitFile;

    TCentralDir CentralDir;

    // Writes the 16 bytes of an archive without entries at the start of a new file.
    void WriteEmptyArchive();
    // Reads four bytes and compares them with the expected signature: ESignatureWrong when
    // they differ or the file ends first.
    void CheckSignature(const char* signature);
    // Start of file must say "QARC"; then the directory is read.
    void OpenExisting();
    // Replaces CentralDir by the directory stored in the file. Every offset, count and size
    // is checked against the file's length before it is used: ECorruptArchive when one
    // cannot be right, ESignatureWrong for an unknown header.
    void ReadCentralDir();
    // Writes CentralDir's entries at the current position, then the end record whose
    // directory offset is that position. Updates CentralDir.DirOffset.
    void WriteCentralDir();
};

// Packed DOS date-time <-> seconds since the Unix epoch, in local time like the file
// system's DOS view. An unusable packed value (month 0, day 0 ...) gives false.
int32_t UnixTimeToDosDateTime(int64_t unixTime);
bool DosDateTimeToUnixTime(int32_t dosDateTime, int64_t& unixTime);
