#pragma once
// Bit-level reading and writing on top of the buffered stream. Bits fill a byte from its most
// significant bit down. Reading in bit mode is fenced by a read limit so that a block decoder can
// never run into the next block's header.
#include "archive/BufferedFileStream.h"

class TBitFile : public TBufferedFileStream {
public:
    using TBufferedFileStream::TBufferedFileStream;

    static constexpr int64_t NoReadLimit = 2147483647;
    // Zero bytes handed out past the read limit before the stream counts as corrupt: the block decoder
    // legitimately looks up to two bytes beyond its coded length.
    static constexpr int64_t ZeroBytesPastLimit = 20;

    void WriteBit(int bit) {
        Writing = true;
        if (bit) BitByte |= Mask;
        if (Mask == 1) {
            WriteByte(static_cast<uint8_t>(BitByte));
            BitByte = 0;
            Mask = 128;
        } else {
            Mask >>= 1;
        }
    }
    void WriteBits(uint32_t value, int n); // the n low bits of value, most significant first

    int ReadBit() {
        if (Mask == 128) BitByte = FetchByte();
        const int bit = (BitByte & Mask) != 0;
        Mask = Mask == 1 ? 128 : Mask >> 1;
        return bit;
    }
    uint32_t ReadBits(int n); // n bits, most significant first

    // Also resets the count of bytes taken in bit mode. Past limit + ZeroBytesPastLimit: EBitReadLimit.
    void SetReadLimit(int64_t limit) {
        ReadLimit = limit;
        BitBytesRead = 0;
    }
    void ResetBits() { // mask 128, byte 0
        Mask = 128;
        BitByte = 0;
        Writing = false;
    }
    void FlushBits(); // completes a pending written byte with 0 bits, then resets the bit state

    // The next whole byte in bit mode, under the read limit; for readers that keep their own bit window
    // (they must start from a reset bit state and not mix in ReadBit).
    uint8_t FetchByte() {
        if (BitBytesRead < ReadLimit) {
            ++BitBytesRead;
            return ReadByte();
        }
        return FetchPastLimit();
    }
    // Up to n such bytes at once, for readers that take their input a chunk at a time. Never raises:
    // it stops short where FetchByte would (the file ends before the limit, or the zero bytes past it
    // run out), and returns how many it gave; the reader calls FetchByte once it needs more than that,
    // which then raises the right error.
    size_t FetchBytes(uint8_t* dst, size_t n);

private:
    uint8_t FetchPastLimit();

    int Mask = 128;
    int BitByte = 0;
    bool Writing = false;
    int64_t ReadLimit = NoReadLimit;
    int64_t BitBytesRead = 0;
};
