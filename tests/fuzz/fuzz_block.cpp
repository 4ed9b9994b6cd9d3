// Arbitrary bytes through the block codec. The first byte picks the mode:
//  - expand: the rest becomes a block header (CRC-32, primary and sentinel index, optionally a raw
//    coded length) and a coded stream, read by the expander. It must deliver a block and leave the
//    archive right after it, or raise an archive error having delivered nothing.
//  - round trip: the rest is a block that must come back unchanged. Mostly the block is the input
//    itself, small and quick, so that many are tried; for one input in 1024 (picked by a hash of all its
//    bytes, so that a finding replays) the input is repeated up to a length its first byte sets, up to
//    the full block size, so that full-size blocks of any repetitive shape get tried too.
// Anything else (a crash, a sanitizer report, a broken promise) aborts.
#include "archive/ArchiveErrors.h"
#include "archive/BlockCodec.h"
#include "archive/Crc32.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

struct TCodec {
    TBlockMan Man;
    TQuietArchiveUi Ui{TArchiveAnswer::No, false};
    TCompressor Compressor{Man, Ui};
    TExpander Expander{Man, Ui};
};

TCodec& Codec() {
    static TCodec codec;
    return codec;
}

// The streams hold all their bytes anyway; a small buffer saves setting up 64 KiB per run, and makes
// the buffer refill inside a block.
constexpr size_t StreamBuffer = 4096;

void Require(bool ok) {
    if (!ok) std::abort();
}

uint32_t U32(const uint8_t* p) {
    return uint32_t{p[0]} | uint32_t{p[1]} << 8 | uint32_t{p[2]} << 16 | uint32_t{p[3]} << 24;
}

void PutU32(std::vector<uint8_t>& v, uint32_t x) {
    for (int k = 0; k < 4; ++k)
        v.push_back(static_cast<uint8_t>(x >> (8 * k)));
}

void Expand(const uint8_t* data, size_t size) {
    const uint8_t mode = data[0];
    const bool rawLength = mode & 4, rawIndexes = mode & 8;
    const size_t fields = rawLength ? 16 : 12;
    if (size < 1 + fields) return;
    const uint8_t* stream = data + 1 + fields;
    const size_t streamSize = size - 1 - fields;
    uint32_t primary = U32(data + 5), sentinel = U32(data + 9);
    if (!rawIndexes) { // mostly in range, so that decoding gets somewhere
        primary %= 4096;
        sentinel %= 4096;
    }
    const uint32_t length = rawLength ? U32(data + 13) : static_cast<uint32_t>(streamSize);

    std::vector<uint8_t> bytes{'D', 'A', 'T', 'A'};
    bytes.insert(bytes.end(), data + 1, data + 5);
    PutU32(bytes, length);
    PutU32(bytes, primary);
    PutU32(bytes, sentinel);
    bytes.insert(bytes.end(), stream, stream + streamSize);
    TBitFile archive(std::move(bytes), StreamBuffer);

    size_t delivered = 0, calls = 0;
    uint32_t crc = 0;
    try {
        const bool ok = Codec().Expander.ExpandBlock(archive, [&](const uint8_t* p, size_t n) {
            ++calls;
            delivered += n;
            crc = TCRC32::Of(p, n);
        });
        Require(calls == 1 && delivered >= 1 && delivered <= static_cast<size_t>(ArchiveBlockSize));
        Require(ok == (crc == U32(data + 1)));
        Require(archive.Position() == BlockHeaderSize + static_cast<int64_t>(length));
    } catch (const EArchiveError&) {
        Require(calls == 0);
    }
}

void RoundTripBlock(size_t n) {
    TCodec& codec = Codec();
    const std::vector<uint8_t> data(codec.Compressor.BlockBuffer(), codec.Compressor.BlockBuffer() + n);
    TBitFile archive(std::vector<uint8_t>{}, StreamBuffer);
    const int32_t length = codec.Compressor.CompressBlock(archive, static_cast<int32_t>(n));
    Require(archive.Position() == BlockHeaderSize + length);
    archive.Seek(0, TSeekOrigin::Begin);
    bool same = false;
    Require(codec.Expander.ExpandBlock(archive, [&](const uint8_t* p, size_t got) {
        same = got == n && std::memcmp(p, data.data(), n) == 0;
    }));
    Require(same);
}

// One input in 1024, by an FNV-1a hash of all its bytes: a change anywhere in an input moves it in or
// out. A full-size block takes a few hundred times as long as a small one under the sanitizers, and the
// fuzzer keeps coming back to the inputs that gave one, so the share has to be this small to keep them
// to a small part of the time.
bool FullSizeShare(const uint8_t* data, size_t size) {
    uint32_t h = 2166136261u;
    for (size_t i = 0; i < size; ++i)
        h = (h ^ data[i]) * 16777619u;
    return (h >> 22) == 0;
}

// tile: the block is the input repeated up to a length set by its first byte, 1600 to 409600 bytes.
void RoundTrip(const uint8_t* data, size_t size, bool tile) {
    if (tile) {
        if (size < 2) return;
        const size_t length = std::min<size_t>(ArchiveBlockSize, (data[0] + 1u) * 1600u);
        ++data;
        --size;
        TCodec& codec = Codec();
        for (size_t at = 0; at < length; at += size)
            std::memcpy(codec.Compressor.BlockBuffer() + at, data, std::min(size, length - at));
        RoundTripBlock(length);
        return;
    }
    const size_t n = std::min<size_t>(size, ArchiveBlockSize);
    if (n == 0) return;
    std::memcpy(Codec().Compressor.BlockBuffer(), data, n);
    RoundTripBlock(n);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) return 0;
    if (data[0] & 2)
        RoundTrip(data + 1, size - 1, FullSizeShare(data, size));
    else
        Expand(data, size);
    return 0;
}
