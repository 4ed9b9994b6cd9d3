// Whole blocks through the compressor and the expander: round trips, the header, and damaged input.
#include "CodecTestSupport.h"

#include "archive/ArchiveErrors.h"
#include "archive/ArithCoder.h"
#include "archive/BlockCodec.h"
#include "archive/MoveToFront.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <random>

using namespace CodecTest;

namespace {

struct TExpanded {
    std::vector<uint8_t> Bytes;
    bool Ok = false;
};

class BlockCodecTest : public ::testing::Test {
protected:
    // Cuts data into blocks and compresses them one after the other into archive; returns where each
    // block starts.
    std::vector<int64_t> CompressAll(TBitFile& archive, const std::vector<uint8_t>& data) {
        std::vector<int64_t> starts;
        for (size_t pos = 0; pos < data.size(); pos += ArchiveBlockSize) {
            const size_t n = std::min<size_t>(ArchiveBlockSize, data.size() - pos);
            std::memcpy(Compressor.BlockBuffer(), data.data() + pos, n);
            starts.push_back(archive.Position());
            const int32_t coded = Compressor.CompressBlock(archive, static_cast<int32_t>(n));
            EXPECT_EQ(archive.Position(), starts.back() + BlockHeaderSize + coded);
        }
        return starts;
    }
    std::vector<uint8_t> Compressed(const std::vector<uint8_t>& data) {
        TBitFile archive(std::vector<uint8_t>{});
        CompressAll(archive, data);
        return archive.MemoryBytes();
    }
    // The delivered bytes go to e.Bytes as they come, so that they stay visible when ExpandBlock throws.
    void ExpandInto(TBitFile& archive, TExpanded& e) {
        e.Ok = Expander.ExpandBlock(
            archive, [&](const uint8_t* p, size_t n) { e.Bytes.insert(e.Bytes.end(), p, p + n); });
    }
    TExpanded Expand(TBitFile& archive) {
        TExpanded e;
        ExpandInto(archive, e);
        return e;
    }

    TBlockMan Man;
    TRecordingUi Ui;
    TCompressor Compressor{Man, Ui};
    TExpander Expander{Man, Ui};
};

std::vector<uint8_t> NeighboursDiffer(size_t n) {
    std::vector<uint8_t> v = RandomBytes(n, 11);
    for (size_t i = 1; i < n; ++i)
        if (v[i] == v[i - 1]) v[i] = static_cast<uint8_t>(v[i] + 1);
    return v;
}

std::vector<uint8_t> Pattern(size_t n, const std::string& unit) {
    std::vector<uint8_t> v(n);
    for (size_t i = 0; i < n; ++i)
        v[i] = static_cast<uint8_t>(unit[i % unit.size()]);
    return v;
}

TEST_F(BlockCodecTest, BlocksComeBackUnchanged) {
    struct TCase {
        const char* Name;
        std::vector<uint8_t> Data;
    } cases[] = {
        {"one byte", {0x7F}},
        {"full block of one byte", std::vector<uint8_t>(ArchiveBlockSize, 'q')},
        {"full block, neighbours differ", NeighboursDiffer(ArchiveBlockSize)},
        {"full block, random", RandomBytes(ArchiveBlockSize, 5)},
        {"short block of one byte", std::vector<uint8_t>(1000, 0)},
        {"short repeated pattern", Pattern(300000, "Quillon ")},
        {"three blocks", Pattern(2 * ArchiveBlockSize + 12345, "Sales up 3%, chart position 7. ")},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        TBitFile archive(std::vector<uint8_t>{});
        const std::vector<int64_t> starts = CompressAll(archive, c.Data);
        ASSERT_EQ(Ui.EventsProcessed, static_cast<int>(starts.size()));
        Ui.EventsProcessed = 0;
        const int64_t end = archive.Position();
        archive.Seek(0, TSeekOrigin::Begin);
        std::vector<uint8_t> back;
        for (size_t b = 0; b < starts.size(); ++b) {
            // The header's coded length reaches exactly to the next block.
            archive.Seek(starts[b] + 8, TSeekOrigin::Begin);
            const int64_t next = b + 1 < starts.size() ? starts[b + 1] : end;
            EXPECT_EQ(starts[b] + BlockHeaderSize + archive.ReadI32(), next);
            archive.Seek(starts[b], TSeekOrigin::Begin);
            const TExpanded e = Expand(archive);
            EXPECT_TRUE(e.Ok);
            EXPECT_EQ(archive.Position(), next);
            back.insert(back.end(), e.Bytes.begin(), e.Bytes.end());
        }
        EXPECT_EQ(back, c.Data);
        EXPECT_TRUE(Ui.Messages.empty());
    }
}

TEST_F(BlockCodecTest, BlocksGoThroughFilesOnDisk) {
    TTempDir dir;
    const std::vector<uint8_t> data = Pattern(ArchiveBlockSize + 99, "End Of Week ");
    {
        TBitFile archive(dir.File("blocks.bin"), TFileMode::Create);
        archive.WriteZeros(4); // blocks need not start at offset 0
        CompressAll(archive, data);
    }
    TBitFile archive(dir.File("blocks.bin"), TFileMode::OpenRead);
    archive.Seek(4, TSeekOrigin::Begin);
    TExpanded first = Expand(archive);
    const TExpanded second = Expand(archive);
    EXPECT_EQ(archive.Position(), archive.Size());
    first.Bytes.insert(first.Bytes.end(), second.Bytes.begin(), second.Bytes.end());
    EXPECT_EQ(first.Bytes, data);
}

// Any changed byte in a block's stored CRC-32 or coded stream either fails the CRC-32 (message, flag
// cleared, bytes still delivered, the next block read from the right place) or is found corrupt with
// nothing delivered. (Damage inside the coded stream nearly always ends up corrupt: the decoder runs
// on into the zero bytes past the block, which no valid symbol codes to.)
TEST_F(BlockCodecTest, DamagedBlockFailsCleanly) {
    const std::vector<uint8_t> first = RandomBytes(3000, 4, 8);
    const std::vector<uint8_t> second = RandomBytes(2000, 8);
    TBitFile scratch(std::vector<uint8_t>{});
    std::memcpy(Compressor.BlockBuffer(), first.data(), first.size());
    const int32_t codedLength = Compressor.CompressBlock(scratch, static_cast<int32_t>(first.size()));
    std::memcpy(Compressor.BlockBuffer(), second.data(), second.size());
    Compressor.CompressBlock(scratch, static_cast<int32_t>(second.size()));
    const std::vector<uint8_t> intact = scratch.MemoryBytes();

    std::vector<int32_t> damaged{4, 5, 6, 7}; // the stored CRC-32
    for (int32_t at = 0; at < codedLength; ++at)
        damaged.push_back(BlockHeaderSize + at);
    int crcFailures = 0, corrupt = 0;
    for (int32_t at : damaged)
        for (uint8_t flip : {0x01, 0x80, 0xFF}) {
            SCOPED_TRACE("byte " + std::to_string(at) + " xor " + std::to_string(flip));
            std::vector<uint8_t> bytes = intact;
            bytes[static_cast<size_t>(at)] ^= flip;
            TBitFile archive(bytes);
            Ui.Messages.clear();
            TExpanded e;
            try {
                ExpandInto(archive, e);
            } catch (const EBitReadLimit&) {
                ++corrupt;
                EXPECT_TRUE(e.Bytes.empty());
                continue;
            } catch (const ECorruptArchive&) {
                ++corrupt;
                EXPECT_TRUE(e.Bytes.empty());
                continue;
            }
            if (e.Ok) { // only the padding bits of the last byte can change without effect
                EXPECT_EQ(e.Bytes, first);
                EXPECT_TRUE(Ui.Messages.empty());
            } else {
                ++crcFailures;
                ASSERT_EQ(Ui.Messages.size(), 1u);
                EXPECT_EQ(Ui.Messages[0].first, "CRC does not match!");
                EXPECT_EQ(Ui.Messages[0].second, "");
                if (at < BlockHeaderSize) {
                    EXPECT_EQ(e.Bytes, first);
                }
            }
            EXPECT_EQ(archive.Position(), BlockHeaderSize + codedLength);
            const TExpanded next = Expand(archive);
            EXPECT_TRUE(next.Ok);
            EXPECT_EQ(next.Bytes, second);
        }
    EXPECT_GE(crcFailures, 12);
    EXPECT_GT(corrupt, 0);
}

void PutI32(std::vector<uint8_t>& v, size_t at, int32_t x) {
    for (int k = 0; k < 4; ++k)
        v[at + static_cast<size_t>(k)] = static_cast<uint8_t>(static_cast<uint32_t>(x) >> (8 * k));
}

// A header plus the coding of the given symbols (ending with the end-of-block symbol).
std::vector<uint8_t> HandMadeBlock(const std::vector<int>& symbols, int32_t primary, int32_t sentinel) {
    TBitFile out(std::vector<uint8_t>{});
    out.WriteZeros(BlockHeaderSize);
    TStrucAriEncoder encoder(out);
    encoder.Start();
    for (int s : symbols)
        encoder.Encode(s);
    encoder.Finish();
    std::vector<uint8_t> block = out.MemoryBytes();
    std::memcpy(block.data(), "DATA", 4);
    PutI32(block, 8, static_cast<int32_t>(block.size()) - BlockHeaderSize);
    PutI32(block, 12, primary);
    PutI32(block, 16, sentinel);
    return block;
}

std::vector<int> RunSymbols(int32_t zeros) {
    std::vector<uint8_t> values(static_cast<size_t>(zeros), 0);
    std::vector<int> symbols;
    ValuesToSymbols(values.data(), zeros, [&](int s) { symbols.push_back(s); });
    return symbols;
}

TEST_F(BlockCodecTest, ImpossibleHeadersAndStreamsAreRefused) {
    const std::vector<uint8_t> good = Compressed(Pattern(5000, "banana"));
    struct TCase {
        const char* Name;
        std::function<void(std::vector<uint8_t>&)> Damage;
        enum { Signature, Corrupt, CrcFails } Outcome;
    } cases[] = {
        {"signature", [](auto& b) { b[0] = 'd'; }, TCase::Signature},
        {"header cut short", [](auto& b) { b.resize(15); }, TCase::Corrupt},
        {"negative coded length", [](auto& b) { PutI32(b, 8, -1); }, TCase::Corrupt},
        {"coded length past the end", [](auto& b) { PutI32(b, 8, static_cast<int32_t>(b.size()) - 19); },
         TCase::Corrupt},
        {"coded length far past the end", [](auto& b) { PutI32(b, 8, 0x7FFFFFFF); }, TCase::Corrupt},
        {"coded length 0", [](auto& b) { PutI32(b, 8, 0); }, TCase::Corrupt},
        {"primary index negative", [](auto& b) { PutI32(b, 12, -1); }, TCase::Corrupt},
        {"primary index past the block", [](auto& b) { PutI32(b, 12, 5001); }, TCase::Corrupt},
        {"sentinel index negative", [](auto& b) { PutI32(b, 16, -5); }, TCase::Corrupt},
        {"sentinel index past the block", [](auto& b) { PutI32(b, 16, 5001); }, TCase::Corrupt},
        {"primary index on the sentinel row",
         [](auto& b) { std::copy(b.begin() + 16, b.begin() + 20, b.begin() + 12); }, TCase::Corrupt},
        {"coded stream of zero bytes", [](auto& b) { std::fill(b.begin() + BlockHeaderSize, b.end(), 0); },
         TCase::Corrupt},
        {"stored CRC-32", [](auto& b) { b[4] ^= 1; }, TCase::CrcFails},
        {"block decoding one byte too long",
         [](auto& b) { b = HandMadeBlock(RunSymbols(ArchiveBlockSize + 1), 0, 1); }, TCase::Corrupt},
        {"block decoding to nothing", [](auto& b) { b = HandMadeBlock({EndOfBlockSymbol}, 0, 0); },
         TCase::Corrupt},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        std::vector<uint8_t> bytes = good;
        c.Damage(bytes);
        TBitFile archive(bytes);
        Ui.Messages.clear();
        std::vector<uint8_t> out;
        auto expand = [&] {
            return Expander.ExpandBlock(archive,
                                        [&](const uint8_t* p, size_t n) { out.insert(out.end(), p, p + n); });
        };
        switch (c.Outcome) {
        case TCase::Signature:
            EXPECT_THROW(expand(), ESignatureWrong);
            break;
        case TCase::Corrupt:
            EXPECT_THROW(expand(), ECorruptArchive);
            break;
        case TCase::CrcFails:
            EXPECT_FALSE(expand());
            EXPECT_EQ(out, Pattern(5000, "banana"));
            EXPECT_EQ(Ui.Messages.size(), 1u);
            break;
        }
        if (c.Outcome != TCase::CrcFails) {
            EXPECT_TRUE(out.empty());
        }
    }
    // The largest run a block can hold is fine.
    TBitFile archive(HandMadeBlock(RunSymbols(ArchiveBlockSize), ArchiveBlockSize - 1, ArchiveBlockSize));
    size_t got = 0;
    EXPECT_FALSE(
        Expander.ExpandBlock(archive, [&](const uint8_t*, size_t n) { got += n; })); // CRC field is 0
    EXPECT_EQ(got, static_cast<size_t>(ArchiveBlockSize));
}

TEST_F(BlockCodecTest, BlockLengthOutsideOneToBlockSizeIsRefused) {
    TBitFile archive(std::vector<uint8_t>{});
    EXPECT_THROW(Compressor.CompressBlock(archive, 0), std::out_of_range);
    EXPECT_THROW(Compressor.CompressBlock(archive, ArchiveBlockSize + 1), std::out_of_range);
    EXPECT_EQ(archive.Size(), 0);
}

} // namespace
