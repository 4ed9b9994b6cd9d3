// Arbitrary bytes through the block codec. The first byte picks the mode:
//  - expand: the rest becomes a block header (CRC-32, primary and sentinel index, optionally a raw
//    coded length) and a coded stream, read by the expander. It must deliver a block and leave the
//    archive right after it, or raise an archive error having delivered nothing. Streams that decode to
//    large blocks are only expanded for the inputs of the full-size share (below).
//  - round trip: the rest is a block that must come back unchanged. Mostly the block is the input
//    itself, small and quick, so that many are tried; for one input in 4096 (picked by a hash of all its
//    bytes, so that a finding replays) the input is repeated up to a length its first byte sets, up to
//    the full block size, so that full-size blocks of any repetitive shape get tried too.
// Anything else (a crash, a sanitizer report, a broken promise) aborts.
#include "archive/ArchiveErrors.h"
#include "archive/ArithCoder.h"
#include "archive/BlockCodec.h"
#include "archive/Crc32.h"
#include "archive/MoveToFront.h"

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

// Blocks up to this size run in well under a millisecond; a stream of a few dozen bytes can decode to a
// full-size block (long zero runs), which takes a hundred times as long.
constexpr int32_t SmallBlock = 16384;

// Whether the stream decodes to more than SmallBlock values. Cheap to find out: the values themselves are
// not kept. A stream the expander refuses or finds corrupt counts as small.
bool DecodesLarge(const uint8_t* stream, size_t streamSize, uint32_t length) {
    if (length > streamSize) return false;
    TBitFile in(std::vector<uint8_t>(stream, stream + streamSize), StreamBuffer);
    in.SetReadLimit(length);
    try {
        TStrucAriDecoder decoder(in);
        decoder.Start();
        return ReadSymbols([&] { return decoder.Decode(); }, [](int32_t) {}, [](uint8_t) {},
                           ArchiveBlockSize) > SmallBlock;
    } catch (const EArchiveError&) {
        return false;
    }
}

// large: whether a stream that decodes to more than SmallBlock values is expanded, or left alone.
void Expand(const uint8_t* data, size_t size, bool large) {
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
    if (!large && DecodesLarge(stream, streamSize, length)) return;

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

// One input in 4096, by an FNV-1a hash of all its bytes: a change anywhere in an input moves it in or
// out. A full-size block takes a few hundred times as long as a small one under the sanitizers, and the
// fuzzer keeps coming back to the inputs that gave one, so the share has to be this small to keep them
// to a small part of the time.
bool FullSizeShare(const uint8_t* data, size_t size) {
    uint32_t h = 2166136261u;
    for (size_t i = 0; i < size; ++i)
        h = (h ^ data[i]) * 16777619u;
    return (h >> 20) == 0;
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

// The address sanitizer's defaults cost more time than the runs themselves: a 256 MiB quarantine of freed
// memory makes every run map and fault in fresh pages, and each allocation gets its first 4 KiB filled
// with a pattern. A run allocates far less than 16 MiB, so a use after free within it is still caught.
extern "C" const char* __asan_default_options() {
    return "quarantine_size_mb=16:max_malloc_fill_size=0";
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) return 0;
    const bool fullSize = FullSizeShare(data, size);
    if (data[0] & 2)
        RoundTrip(data + 1, size - 1, fullSize);
    else
        Expand(data, size, fullSize);
    return 0;
}
