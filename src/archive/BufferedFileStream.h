#pragma once
// A file (or an in-memory image of one) behind a buffer of its own, so that archives can be read and
// written a byte or a bit at a time without a system call per byte.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

enum class TFileMode { Create, OpenRead, OpenReadWrite }; // create new / read (others may read) / read+write
enum class TSeekOrigin { Begin, Current, End };

class TBufferedFileStream {
public:
    // Opens a file; failure raises EFileOpenError.
    TBufferedFileStream(const std::string& path, TFileMode mode, size_t bufferSize = 65536);
    // An in-memory stream that starts out holding `bytes`; read and write, never touches the disk.
    // Tests, fuzzers and benchmarks use it to run the block codec without files.
    explicit TBufferedFileStream(std::vector<uint8_t> bytes, size_t bufferSize = 65536);
    virtual ~TBufferedFileStream(); // flushes; errors there are swallowed

    TBufferedFileStream(const TBufferedFileStream&) = delete;
    TBufferedFileStream& operator=(const TBufferedFileStream&) = delete;

    // At the end of the file: ECorruptArchive.
    uint8_t ReadByte() {
        if (Index < Valid) return Buffer[Index++];
        return ReadByteSlow();
    }
    void WriteByte(uint8_t b) {
        if (Index < Valid && !ReadOnly) {
            MarkDirty(Index);
            Buffer[Index++] = b;
        } else {
            WriteByteSlow(b);
        }
    }
    size_t Read(void* dst, size_t n); // returns the bytes actually read
    void Write(const void* src, size_t n);

    int32_t ReadI32(); // little-endian
    void WriteI32(int32_t v);
    uint32_t ReadU32();
    void WriteU32(uint32_t v);
    // Bytes up to the 0 byte (consumed, not kept); no 0 within maxLen bytes, or the end of the file:
    // ECorruptArchive.
    std::string ReadZString(size_t maxLen);
    void WriteZString(const std::string& s); // the bytes, then one 0 byte
    void WriteZeros(size_t n);

    int64_t Position() const { return BufferPos + static_cast<int64_t>(Index); }
    void Seek(int64_t offset, TSeekOrigin origin); // a position before the start: ESeekError
    int64_t Size();
    void Flush(); // writes the unwritten changes and empties the buffer
    void Close(); // flushes and releases the file; further use raises EInOutError

    bool IsReadOnly() const { return ReadOnly; }
    const std::string& Path() const { return FilePath; }
    // The whole contents of an in-memory stream (after a flush); empty for a file stream.
    const std::vector<uint8_t>& MemoryBytes();

private:
    uint8_t ReadByteSlow();
    void WriteByteSlow(uint8_t b);
    void MarkDirty(size_t at) {
        if (at < DirtyLo) DirtyLo = at;
        if (at + 1 > DirtyHi) DirtyHi = at + 1;
    }
    void Refill();      // drops the buffer and loads it from the current position
    void FlushBuffer(); // writes the dirty range, keeps the buffer contents
    void RequireOpen() const;
    size_t DeviceRead(int64_t pos, uint8_t* dst, size_t n);
    void DeviceWrite(int64_t pos, const uint8_t* src, size_t n);
    int64_t DeviceSize() const;

    std::string FilePath;
    int Fd = -1;
    bool InMemory = false;
    bool ReadOnly = false;
    bool Closed = false;
    std::vector<uint8_t> Memory;

    // Left uninitialised: only the bytes below Valid are ever read, and those were read or written.
    std::unique_ptr<uint8_t[]> Buffer;
    size_t BufferSize;
    int64_t BufferPos = 0; // file position of Buffer[0]
    size_t Valid = 0;      // bytes of Buffer that mirror (or will become) file contents
    size_t Index = 0;      // logical position = BufferPos + Index
    size_t DirtyLo = SIZE_MAX, DirtyHi = 0;
};
