#include "archive/BufferedFileStream.h"

#include "archive/ArchiveErrors.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::string SystemError() {
    return std::strerror(errno);
}

} // namespace

TBufferedFileStream::TBufferedFileStream(const std::string& path, TFileMode mode, size_t bufferSize)
    : FilePath(path), Buffer(new uint8_t[std::max<size_t>(bufferSize, 16)]),
      BufferSize(std::max<size_t>(bufferSize, 16)) {
    int flags = O_CLOEXEC;
    switch (mode) {
    case TFileMode::Create:
        flags |= O_RDWR | O_CREAT | O_TRUNC;
        break;
    case TFileMode::OpenRead:
        flags |= O_RDONLY;
        ReadOnly = true;
        break;
    case TFileMode::OpenReadWrite:
        flags |= O_RDWR;
        break;
    }
    do {
        Fd = ::open(path.c_str(), flags, 0644);
    } while (Fd < 0 && errno == EINTR);
    if (Fd < 0) throw EFileOpenError("Cannot open file \"" + path + "\": " + SystemError());
    struct stat st {};
    if (::fstat(Fd, &st) == 0 && S_ISDIR(st.st_mode)) {
        ::close(Fd);
        Fd = -1;
        throw EFileOpenError("Cannot open file \"" + path + "\": it is a folder");
    }
}

TBufferedFileStream::TBufferedFileStream(std::vector<uint8_t> bytes, size_t bufferSize)
    : InMemory(true), Memory(std::move(bytes)), Buffer(new uint8_t[std::max<size_t>(bufferSize, 16)]),
      BufferSize(std::max<size_t>(bufferSize, 16)) {}

TBufferedFileStream::~TBufferedFileStream() {
    try {
        Close();
    } catch (...) {
        // A destructor cannot report; callers that care call Close() themselves.
    }
}

void TBufferedFileStream::RequireOpen() const {
    if (Closed) throw EInOutError("File \"" + FilePath + "\" is closed");
}

size_t TBufferedFileStream::DeviceRead(int64_t pos, uint8_t* dst, size_t n) {
    if (InMemory) {
        if (pos >= static_cast<int64_t>(Memory.size())) return 0;
        const size_t k = std::min(n, Memory.size() - static_cast<size_t>(pos));
        std::memcpy(dst, Memory.data() + pos, k);
        return k;
    }
    size_t done = 0;
    while (done < n) {
        const ssize_t r =
            ::pread(Fd, dst + done, n - done, static_cast<off_t>(pos + static_cast<int64_t>(done)));
        if (r < 0) {
            if (errno == EINTR) continue;
            throw EInOutError("Cannot read file \"" + FilePath + "\": " + SystemError());
        }
        if (r == 0) break;
        done += static_cast<size_t>(r);
    }
    return done;
}

void TBufferedFileStream::DeviceWrite(int64_t pos, const uint8_t* src, size_t n) {
    if (ReadOnly) throw EInOutError("File \"" + FilePath + "\" is open for reading only");
    if (InMemory) {
        const size_t end = static_cast<size_t>(pos) + n;
        if (end > Memory.size()) Memory.resize(end);
        std::memcpy(Memory.data() + pos, src, n);
        return;
    }
    size_t done = 0;
    while (done < n) {
        const ssize_t r =
            ::pwrite(Fd, src + done, n - done, static_cast<off_t>(pos + static_cast<int64_t>(done)));
        if (r < 0) {
            if (errno == EINTR) continue;
            throw EInOutError("Cannot write file \"" + FilePath + "\": " + SystemError());
        }
        done += static_cast<size_t>(r);
    }
}

int64_t TBufferedFileStream::DeviceSize() const {
    if (InMemory) return static_cast<int64_t>(Memory.size());
    struct stat st {};
    if (::fstat(Fd, &st) != 0) throw EInOutError("Cannot query file \"" + FilePath + "\": " + SystemError());
    return st.st_size;
}

void TBufferedFileStream::FlushBuffer() {
    if (DirtyHi > DirtyLo) {
        // Clear the range first: a failed write must not be retried from the destructor.
        const size_t lo = DirtyLo, hi = DirtyHi;
        DirtyLo = SIZE_MAX;
        DirtyHi = 0;
        DeviceWrite(BufferPos + static_cast<int64_t>(lo), Buffer.get() + lo, hi - lo);
    }
    DirtyLo = SIZE_MAX;
    DirtyHi = 0;
}

void TBufferedFileStream::Refill() {
    RequireOpen();
    FlushBuffer();
    BufferPos += static_cast<int64_t>(Index);
    Index = 0;
    Valid = 0;
    Valid = DeviceRead(BufferPos, Buffer.get(), BufferSize);
}

uint8_t TBufferedFileStream::ReadByteSlow() {
    Refill();
    if (Valid == 0) throw ECorruptArchive("Unexpected end of file \"" + FilePath + "\".");
    return Buffer[Index++];
}

void TBufferedFileStream::WriteByteSlow(uint8_t b) {
    RequireOpen();
    if (ReadOnly) throw EInOutError("File \"" + FilePath + "\" is open for reading only");
    if (Index == BufferSize) {
        FlushBuffer();
        BufferPos += static_cast<int64_t>(Index);
        Index = 0;
        Valid = 0;
    }
    MarkDirty(Index);
    Buffer[Index++] = b;
    if (Index > Valid) Valid = Index;
}

size_t TBufferedFileStream::Read(void* dst, size_t n) {
    RequireOpen();
    auto* out = static_cast<uint8_t*>(dst);
    size_t done = 0;
    while (done < n) {
        if (Index < Valid) {
            const size_t k = std::min(n - done, Valid - Index);
            std::memcpy(out + done, Buffer.get() + Index, k);
            Index += k;
            done += k;
        } else if (n - done >= BufferSize) {
            // Large reads bypass the buffer.
            Flush();
            const size_t k = DeviceRead(BufferPos, out + done, n - done);
            BufferPos += static_cast<int64_t>(k);
            done += k;
            break;
        } else {
            Refill();
            if (Valid == 0) break;
        }
    }
    return done;
}

void TBufferedFileStream::Write(const void* src, size_t n) {
    RequireOpen();
    if (ReadOnly) throw EInOutError("File \"" + FilePath + "\" is open for reading only");
    const auto* in = static_cast<const uint8_t*>(src);
    while (n > 0) {
        if (Index == BufferSize) {
            FlushBuffer();
            BufferPos += static_cast<int64_t>(Index);
            Index = 0;
            Valid = 0;
        }
        const size_t k = std::min(n, BufferSize - Index);
        std::memcpy(Buffer.get() + Index, in, k);
        MarkDirty(Index);
        MarkDirty(Index + k - 1);
        Index += k;
        if (Index > Valid) Valid = Index;
        in += k;
        n -= k;
    }
}

int32_t TBufferedFileStream::ReadI32() {
    return static_cast<int32_t>(ReadU32());
}

void TBufferedFileStream::WriteI32(int32_t v) {
    WriteU32(static_cast<uint32_t>(v));
}

uint32_t TBufferedFileStream::ReadU32() {
    uint32_t v = ReadByte();
    v |= static_cast<uint32_t>(ReadByte()) << 8;
    v |= static_cast<uint32_t>(ReadByte()) << 16;
    v |= static_cast<uint32_t>(ReadByte()) << 24;
    return v;
}

void TBufferedFileStream::WriteU32(uint32_t v) {
    const uint8_t b[4] = {static_cast<uint8_t>(v), static_cast<uint8_t>(v >> 8),
                          static_cast<uint8_t>(v >> 16), static_cast<uint8_t>(v >> 24)};
    Write(b, 4);
}

std::string TBufferedFileStream::ReadZString(size_t maxLen) {
    std::string s;
    for (;;) {
        const uint8_t b = ReadByte();
        if (b == 0) return s;
        if (s.size() == maxLen) throw ECorruptArchive("A stored name in \"" + FilePath + "\" is too long.");
        s.push_back(static_cast<char>(b));
    }
}

void TBufferedFileStream::WriteZString(const std::string& s) {
    Write(s.data(), s.size());
    WriteByte(0);
}

void TBufferedFileStream::WriteZeros(size_t n) {
    static const uint8_t zeros[256] = {};
    while (n > 0) {
        const size_t k = std::min(n, sizeof zeros);
        Write(zeros, k);
        n -= k;
    }
}

void TBufferedFileStream::Seek(int64_t offset, TSeekOrigin origin) {
    RequireOpen();
    int64_t base = 0;
    if (origin == TSeekOrigin::Current) base = Position();
    if (origin == TSeekOrigin::End) base = Size();
    if ((offset > 0 && base > INT64_MAX - offset) || base + offset < 0) throw ESeekError();
    const int64_t target = base + offset;
    if (target >= BufferPos && target <= BufferPos + static_cast<int64_t>(Valid)) {
        Index = static_cast<size_t>(target - BufferPos);
        return;
    }
    FlushBuffer();
    BufferPos = target;
    Index = 0;
    Valid = 0;
}

int64_t TBufferedFileStream::Size() {
    RequireOpen();
    // A seek past the end moves the buffer without making the file longer; written bytes do.
    const int64_t device = DeviceSize();
    return Valid == 0 ? device : std::max(device, BufferPos + static_cast<int64_t>(Valid));
}

void TBufferedFileStream::Flush() {
    RequireOpen();
    FlushBuffer();
    BufferPos += static_cast<int64_t>(Index);
    Index = 0;
    Valid = 0;
}

void TBufferedFileStream::Close() {
    if (Closed) return;
    try {
        FlushBuffer();
    } catch (...) {
        Closed = true;
        if (Fd >= 0) ::close(Fd);
        Fd = -1;
        Index = Valid = 0;
        throw;
    }
    Closed = true;
    if (Fd >= 0) ::close(Fd);
    Fd = -1;
    BufferPos += static_cast<int64_t>(Index);
    Index = Valid = 0;
}

const std::vector<uint8_t>& TBufferedFileStream::MemoryBytes() {
    if (!Closed) FlushBuffer();
    return Memory;
}
