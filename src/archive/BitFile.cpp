#include "archive/BitFile.h"

#include "archive/ArchiveErrors.h"

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
