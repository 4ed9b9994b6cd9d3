#include "archive/BitFile.h"

#include "archive/ArchiveErrors.h"

#include <algorithm>
#include <cstring>

void TBitFile::WriteBits(uint32_t value, int n) {
    for (int k = n - 1; k >= 0; --k)
        WriteBit(static_cast<int>((value >> k) & 1u));
}

uint32_t TBitFile::ReadBits(int n) {
    uint32_t v = 0;
    for (int k = 0; k < n; ++k)
        v = (v << 1) | static_cast<uint32_t>(ReadBit());
    return v;
}

void TBitFile::FlushBits() {
    if (Writing && Mask != 128) WriteByte(static_cast<uint8_t>(BitByte));
    ResetBits();
}

uint8_t TBitFile::FetchPastLimit() {
    // Past the limit the stream is padded with zero bytes; running out of them means the coded
    // stream was not what the block header claimed.
    if (BitBytesRead - ReadLimit >= ZeroBytesPastLimit) throw EBitReadLimit();
    ++BitBytesRead;
    return 0;
}

size_t TBitFile::FetchBytes(uint8_t* dst, size_t n) {
    size_t done = 0;
    if (BitBytesRead < ReadLimit) {
        const size_t want =
            static_cast<size_t>(std::min<int64_t>(static_cast<int64_t>(n), ReadLimit - BitBytesRead));
        done = Read(dst, want);
        BitBytesRead += static_cast<int64_t>(done);
        if (done < want) return done; // the file ended first
    }
    const int64_t zerosLeft = ReadLimit + ZeroBytesPastLimit - BitBytesRead;
    const size_t zeros =
        static_cast<size_t>(std::clamp<int64_t>(zerosLeft, 0, static_cast<int64_t>(n - done)));
    std::memset(dst + done, 0, zeros);
    BitBytesRead += static_cast<int64_t>(zeros);
    return done + zeros;
}
