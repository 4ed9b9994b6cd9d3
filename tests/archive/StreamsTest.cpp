// Buffered streams, bit input and output, CRC-32.
#include "CodecTestSupport.h"

#include "archive/ArchiveErrors.h"
#include "archive/BitFile.h"
#include "archive/BufferedFileStream.h"
#include "archive/Crc32.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <random>

using namespace CodecTest;

namespace {

std::vector<uint8_t> FileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

struct TStreamKind {
    const char* Name;
    bool OnDisk;
    size_t BufferSize;
};

class StreamsTest : public ::testing::TestWithParam<TStreamKind> {
protected:
    std::unique_ptr<TBufferedFileStream> NewStream() {
        if (GetParam().OnDisk)
            return std::make_unique<TBufferedFileStream>(Dir.File("s.bin"), TFileMode::Create,
                                                         GetParam().BufferSize);
        return std::make_unique<TBufferedFileStream>(std::vector<uint8_t>{}, GetParam().BufferSize);
    }
    TTempDir Dir;
};

// Random reads, writes and seeks against a plain byte vector: the buffer must never show or lose
// anything the vector would not.
TEST_P(StreamsTest, BehavesLikeAPlainByteVectorUnderRandomOperations) {
    auto s = NewStream();
    std::vector<uint8_t> model;
    int64_t pos = 0;
    std::mt19937 rng(7);
    for (int step = 0; step < 4000; ++step) {
        const int op = static_cast<int>(rng() % 6);
        SCOPED_TRACE("step " + std::to_string(step) + " op " + std::to_string(op));
        if (op == 0) { // seek, sometimes past the end
            pos = static_cast<int64_t>(rng() % (model.size() + 8));
            s->Seek(pos, TSeekOrigin::Begin);
        } else if (op == 1 || op == 2) { // write one or many bytes
            const size_t n = op == 1 ? 1 : rng() % 40;
            const std::vector<uint8_t> bytes = RandomBytes(n, static_cast<uint32_t>(step));
            if (n == 1)
                s->WriteByte(bytes[0]);
            else
                s->Write(bytes.data(), n);
            if (model.size() < static_cast<size_t>(pos) + n) model.resize(static_cast<size_t>(pos) + n, 0);
            std::copy(bytes.begin(), bytes.end(), model.begin() + pos);
            pos += static_cast<int64_t>(n);
        } else if (op == 3) { // read one byte
            if (pos < static_cast<int64_t>(model.size())) {
                ASSERT_EQ(s->ReadByte(), model[static_cast<size_t>(pos)]);
                ++pos;
            } else {
                EXPECT_THROW(s->ReadByte(), ECorruptArchive);
            }
        } else if (op == 4) { // read many
            std::vector<uint8_t> got(rng() % 40);
            const size_t n = s->Read(got.data(), got.size());
            const size_t expected = pos >= static_cast<int64_t>(model.size())
                                        ? 0
                                        : std::min(got.size(), model.size() - static_cast<size_t>(pos));
            ASSERT_EQ(n, expected);
            ASSERT_TRUE(
                std::equal(got.begin(), got.begin() + static_cast<std::ptrdiff_t>(n), model.begin() + pos));
            pos += static_cast<int64_t>(n);
        } else { // seek relative to the end or the current position
            if (rng() % 2) {
                const auto back = static_cast<int64_t>(rng() % (model.size() + 1));
                s->Seek(-back, TSeekOrigin::End);
                pos = static_cast<int64_t>(model.size()) - back;
            } else {
                const int64_t back = static_cast<int64_t>(rng() % (static_cast<uint64_t>(pos) + 1));
                s->Seek(-back, TSeekOrigin::Current);
                pos -= back;
            }
        }
        ASSERT_EQ(s->Position(), pos);
        ASSERT_EQ(s->Size(), static_cast<int64_t>(model.size()));
    }
    s->Flush();
    s->Seek(0, TSeekOrigin::Begin);
    std::vector<uint8_t> all(model.size());
    ASSERT_EQ(s->Read(all.data(), all.size()), model.size());
    EXPECT_EQ(all, model);
    if (GetParam().OnDisk) {
        s->Close();
        EXPECT_EQ(FileBytes(Dir.File("s.bin")), model);
    } else {
        EXPECT_EQ(s->MemoryBytes(), model);
    }
}

TEST_P(StreamsTest, FieldsAreLittleEndianAndStringsZeroTerminated) {
    auto s = NewStream();
    s->WriteI32(-2);
    s->WriteU32(0x01020304u);
    s->WriteZString("QARC");
    s->WriteZeros(3);
    s->Seek(0, TSeekOrigin::Begin);
    std::vector<uint8_t> bytes(s->Size());
    s->Read(bytes.data(), bytes.size());
    EXPECT_EQ(Hex(bytes), "feffffff"
                          "04030201"
                          "5141524300"
                          "000000");
    s->Seek(0, TSeekOrigin::Begin);
    EXPECT_EQ(s->ReadI32(), -2);
    EXPECT_EQ(s->ReadU32(), 0x01020304u);
    EXPECT_EQ(s->ReadZString(4), "QARC");
    EXPECT_EQ(s->Position(), 13);
}

TEST_P(StreamsTest, BadInputRaisesTheArchiveErrors) {
    auto s = NewStream();
    s->WriteZString("toolong");
    s->Write("abc", 3); // no terminator before the end
    s->Seek(0, TSeekOrigin::Begin);
    EXPECT_THROW(s->ReadZString(6), ECorruptArchive);
    s->Seek(8, TSeekOrigin::Begin);
    EXPECT_THROW(s->ReadZString(100), ECorruptArchive);
    EXPECT_THROW(s->ReadByte(), ECorruptArchive);
    try {
        s->Seek(-1, TSeekOrigin::Begin);
        ADD_FAILURE() << "seek before the start accepted";
    } catch (const ESeekError& e) {
        EXPECT_STREQ(e.what(), "SmartSeek General error");
    }
}

INSTANTIATE_TEST_SUITE_P(Kinds, StreamsTest,
                         ::testing::Values(TStreamKind{"Memory", false, 16},
                                           TStreamKind{"FileTinyBuffer", true, 7},
                                           TStreamKind{"FileArchiveBuffer", true, 65536}),
                         [](const auto& info) { return std::string(info.param.Name); });

TEST(FileStreamTest, OpenModes) {
    TTempDir dir;
    EXPECT_THROW(TBufferedFileStream(dir.File("missing"), TFileMode::OpenRead), EFileOpenError);
    EXPECT_THROW(TBufferedFileStream(dir.Path.string(), TFileMode::OpenRead), EFileOpenError);
    {
        TBufferedFileStream s(dir.File("f"), TFileMode::Create);
        s.Write("hello", 5);
    } // the destructor flushes
    {
        TBufferedFileStream s(dir.File("f"), TFileMode::OpenRead);
        EXPECT_EQ(s.Size(), 5);
        EXPECT_EQ(s.ReadByte(), 'h');
        EXPECT_THROW(s.WriteByte('x'), EInOutError);
    }
    {
        TBufferedFileStream s(dir.File("f"), TFileMode::OpenReadWrite);
        s.Seek(0, TSeekOrigin::End);
        s.Write("!", 1);
    }
    EXPECT_EQ(FileBytes(dir.File("f")), Bytes("hello!"));
    TBufferedFileStream again(dir.File("f"), TFileMode::Create); // create truncates
    EXPECT_EQ(again.Size(), 0);
}

TEST(BitFileTest, BitsRoundTripMostSignificantFirst) {
    TBitFile f(std::vector<uint8_t>{});
    f.WriteBits(0x5, 3);
    f.WriteBits(0x1234, 16);
    f.WriteBit(1);
    f.WriteBits(0, 0);
    f.FlushBits();
    EXPECT_EQ(Hex(f.MemoryBytes()), "a24690"); // 101 0001001000110100 1, then 0000 padding
    f.Seek(0, TSeekOrigin::Begin);
    f.ResetBits();
    EXPECT_EQ(f.ReadBits(3), 0x5u);
    EXPECT_EQ(f.ReadBits(16), 0x1234u);
    EXPECT_EQ(f.ReadBit(), 1);
    EXPECT_EQ(f.ReadBits(4), 0u);
}

TEST(BitFileTest, ReadingPastTheLimitGivesTwentyZeroBytesThenFails) {
    TBitFile f(std::vector<uint8_t>(64, 0xFF));
    f.SetReadLimit(3);
    for (int k = 0; k < 3; ++k)
        EXPECT_EQ(f.ReadBits(8), 0xFFu);
    for (int k = 0; k < 20; ++k)
        EXPECT_EQ(f.ReadBits(8), 0u) << "zero byte " << k;
    EXPECT_EQ(f.Position(), 3); // the zero bytes do not touch the file
    try {
        f.ReadBit();
        ADD_FAILURE() << "a 21st zero byte was supplied";
    } catch (const EBitReadLimit& e) {
        EXPECT_STREQ(e.what(), "Too many bytes read in bit mode.");
    }
    // A new limit starts a new count.
    f.SetReadLimit(1);
    f.ResetBits();
    EXPECT_EQ(f.ReadBits(16), 0xFF00u);
}

// Chunk readers take bit-mode bytes in bulk: the bytes must be FetchByte's, and where FetchByte raises
// (the file ends before the limit, or the zero bytes past it run out) FetchBytes stops short instead
// and the next FetchByte raises the same error.
TEST(BitFileTest, FetchBytesGivesWhatFetchByteGivesAndStopsWhereItFails) {
    const std::vector<uint8_t> bytes = RandomBytes(100, 7);
    for (int64_t limit : {0, 1, 37, 100, 101, 150}) {
        SCOPED_TRACE("limit " + std::to_string(limit));
        std::vector<uint8_t> expected;
        bool pastLimit = false;
        {
            TBitFile f(bytes);
            f.SetReadLimit(limit);
            try {
                for (;;)
                    expected.push_back(f.FetchByte());
            } catch (const EBitReadLimit&) {
                pastLimit = true;
            } catch (const ECorruptArchive&) {
            }
        }
        ASSERT_EQ(expected.size(), static_cast<size_t>(limit <= 100 ? limit + 20 : 100));
        TBitFile f(bytes);
        f.SetReadLimit(limit);
        std::mt19937 rng(static_cast<uint32_t>(limit));
        std::vector<uint8_t> got;
        for (;;) {
            const size_t want = 1 + rng() % 37;
            std::vector<uint8_t> chunk(want);
            const size_t n = f.FetchBytes(chunk.data(), want);
            got.insert(got.end(), chunk.begin(), chunk.begin() + static_cast<std::ptrdiff_t>(n));
            if (n < want) break;
        }
        EXPECT_EQ(got, expected);
        EXPECT_EQ(f.FetchBytes(got.data(), 1), 0u);
        if (pastLimit)
            EXPECT_THROW(f.FetchByte(), EBitReadLimit);
        else
            EXPECT_THROW(f.FetchByte(), ECorruptArchive);
    }
}

TEST(Crc32Test, BulkAndBytewiseAgreeWithBitwiseDefinition) {
    const std::vector<uint8_t> data = RandomBytes(1000, 3);
    for (size_t n : {0, 1, 7, 8, 9, 15, 16, 17, 100, 1000}) {
        uint32_t reg = 0xFFFFFFFFu; // one bit at a time, straight from the polynomial
        for (size_t i = 0; i < n; ++i) {
            reg ^= data[i];
            for (int k = 0; k < 8; ++k)
                reg = (reg & 1u) ? (reg >> 1) ^ 0xEDB88320u : reg >> 1;
        }
        TCRC32 bytewise;
        for (size_t i = 0; i < n; ++i)
            bytewise.Add(data[i]);
        EXPECT_EQ(TCRC32::Of(data.data(), n), ~reg) << n;
        EXPECT_EQ(bytewise.Value(), ~reg) << n;
    }
}

} // namespace
