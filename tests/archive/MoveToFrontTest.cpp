// Move-to-front coding and the zero-run symbol alphabet.
#include "CodecTestSupport.h"

#include "archive/ArchiveErrors.h"
#include "archive/MoveToFront.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <random>
#include <string>

using namespace CodecTest;

namespace {

// Text-like data: a few frequent bytes, long stretches of one byte, and now and then any byte.
std::vector<uint8_t> SkewedBytes(size_t n, uint32_t seed) {
    std::mt19937 rng(seed);
    std::vector<uint8_t> v;
    while (v.size() < n) {
        const uint32_t r = rng() % 100;
        const auto b = static_cast<uint8_t>(r < 60 ? 'a' + rng() % 4 : r < 90 ? rng() % 256 : 'z');
        v.insert(v.end(), r >= 90 ? rng() % 300 : 1, b);
    }
    v.resize(n);
    return v;
}

TEST(MoveToFrontTest, EncoderFollowsTheListAndDecoderInvertsIt) {
    const std::vector<uint8_t> bytes = SkewedBytes(20000, 1);
    std::vector<uint8_t> list(256);
    for (int i = 0; i < 256; ++i)
        list[static_cast<size_t>(i)] = static_cast<uint8_t>(i);
    TMTFEncoder encoder;
    std::vector<uint8_t> values(bytes.size());
    for (size_t i = 0; i < bytes.size(); ++i) {
        const auto at = std::find(list.begin(), list.end(), bytes[i]);
        const auto k = static_cast<uint8_t>(at - list.begin());
        list.erase(at);
        list.insert(list.begin(), bytes[i]);
        values[i] = encoder.Encode(bytes[i]);
        ASSERT_EQ(values[i], k) << "at " << i;
    }
    TMTFDecoder decoder;
    std::vector<uint8_t> back = values;
    decoder.Decode(back.data(), static_cast<int32_t>(back.size()));
    EXPECT_EQ(back, bytes);
}

TEST(MoveToFrontTest, SymbolsRoundTripAndRunsTakeLogarithmicSymbols) {
    for (size_t run : {1, 2, 3, 6, 7, 8, 1000, 65535, 65536, 409599, 409600}) {
        SCOPED_TRACE(run);
        std::vector<uint8_t> values(run, 0);
        std::vector<int> symbols;
        ValuesToSymbols(values.data(), static_cast<int32_t>(values.size()),
                        [&](int s) { symbols.push_back(s); });
        ASSERT_EQ(symbols.back(), EndOfBlockSymbol);
        EXPECT_EQ(static_cast<int>(symbols.size()) - 1, static_cast<int>(std::bit_width(run + 1)) - 1);
        size_t next = 0;
        std::vector<uint8_t> back(409600, 0xAA);
        ASSERT_EQ(SymbolsToValues([&] { return symbols[next++]; }, back.data(), 409600),
                  static_cast<int32_t>(run));
        EXPECT_TRUE(std::all_of(back.begin(), back.begin() + static_cast<std::ptrdiff_t>(run),
                                [](uint8_t b) { return b == 0; }));
    }
    // Mixed values, decoded both to values and, through the move-to-front list, to bytes.
    const std::vector<uint8_t> bytes = SkewedBytes(50000, 2);
    std::vector<uint8_t> values = bytes;
    TMTFEncoder().Encode(values.data(), static_cast<int32_t>(values.size()));
    std::vector<int> symbols;
    ValuesToSymbols(values.data(), static_cast<int32_t>(values.size()), [&](int s) { symbols.push_back(s); });
    ASSERT_LT(symbols.size(), values.size()); // the runs must have been folded
    size_t next = 0;
    std::vector<uint8_t> gotValues(values.size()), gotBytes(bytes.size());
    ASSERT_EQ(SymbolsToValues([&] { return symbols[next++]; }, gotValues.data(), 50000), 50000);
    EXPECT_EQ(gotValues, values);
    next = 0;
    TMTFDecoder mtf;
    ASSERT_EQ(SymbolsToBytes([&] { return symbols[next++]; }, mtf, gotBytes.data(), 50000), 50000);
    EXPECT_EQ(gotBytes, bytes);
}

std::vector<int> SymbolsOf(const std::vector<uint8_t>& values) {
    std::vector<int> symbols;
    ValuesToSymbols(values.data(), static_cast<int32_t>(values.size()), [&](int s) { symbols.push_back(s); });
    return symbols;
}

TEST(MoveToFrontTest, SymbolStreamsLongerThanTheBlockAreCorrupt) {
    const int32_t max = 1000;
    std::vector<uint8_t> twoValuesThenRun(max, 0);
    twoValuesThenRun[0] = twoValuesThenRun[1] = 4;
    struct TCase {
        const char* Name;
        std::vector<int> Symbols; // ending with the end-of-block symbol
        int32_t Expected;         // -1: corrupt
    } cases[] = {
        {"values filling the block", SymbolsOf(std::vector<uint8_t>(max, 5)), max},
        {"one value too many", SymbolsOf(std::vector<uint8_t>(max + 1, 5)), -1},
        {"run filling the block", SymbolsOf(std::vector<uint8_t>(max, 0)), max},
        {"run one past the block", SymbolsOf(std::vector<uint8_t>(max + 1, 0)), -1},
        {"values then a run past the block", SymbolsOf(twoValuesThenRun), -1},
        {"forty run digits", std::vector<int>(40, RunDigitOne), -1},
    };
    cases[4].Symbols.insert(cases[4].Symbols.begin(), 9); // one more value in front: 1001 in all
    cases[5].Symbols.push_back(EndOfBlockSymbol);
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        std::vector<uint8_t> out(max + 16, 0xAA);
        size_t next = 0;
        auto decode = [&] { return SymbolsToValues([&] { return c.Symbols.at(next++); }, out.data(), max); };
        if (c.Expected < 0)
            EXPECT_THROW(decode(), ECorruptArchive);
        else
            EXPECT_EQ(decode(), c.Expected);
        EXPECT_TRUE(std::all_of(out.begin() + max, out.end(), [](uint8_t b) { return b == 0xAA; }))
            << "wrote past the block";
    }
}

// Hands a fixed symbol list to DecodeToBytes the way the arithmetic decoder's block loop does.
struct TPushingDecoder {
    const std::vector<int>& Symbols;
    template <typename TSink>
    void DecodeWhile(TSink&& sink) {
        for (size_t i = 0; sink(Symbols.at(i)); ++i) {
        }
    }
};

// The block decoder's own symbol loop writes short runs with wide stores: it must give what the plain
// one gives, runs ending at the very end of the block included, and fail the same way without
// writing past the block.
TEST(MoveToFrontTest, PushedSymbolsDecodeLikePulledOnes) {
    const int32_t max = 1000;
    std::vector<std::vector<uint8_t>> blocks = {SkewedBytes(max, 3), std::vector<uint8_t>(max, 'q')};
    for (int32_t run = 1; run <= 40; ++run) { // values, then a run up to the end
        std::vector<uint8_t> b = SkewedBytes(max - run, static_cast<uint32_t>(run));
        b.insert(b.end(), static_cast<size_t>(run), b.back());
        blocks.push_back(b);
        blocks.push_back(std::vector<uint8_t>(b.begin() + 5, b.end())); // ending short of the limit
    }
    std::vector<std::vector<int>> streams;
    for (const std::vector<uint8_t>& bytes : blocks) {
        std::vector<uint8_t> values = bytes;
        TMTFEncoder().Encode(values.data(), static_cast<int32_t>(values.size()));
        streams.push_back(SymbolsOf(values));
    }
    streams.push_back(SymbolsOf(std::vector<uint8_t>(max + 1, 0))); // a run past the block
    streams.push_back(SymbolsOf(std::vector<uint8_t>(max + 1, 7))); // a value past the block
    streams.push_back(std::vector<int>(40, RunDigitOne));           // run digits without end
    streams.back().push_back(EndOfBlockSymbol);
    for (const std::vector<int>& symbols : streams) {
        std::vector<uint8_t> pulled(max + 32, 0xAA), pushed(max + 32, 0xAA);
        std::string pulledError, pushedError;
        int32_t pulledN = -1, pushedN = -1;
        try {
            size_t next = 0;
            TMTFDecoder mtf;
            pulledN = SymbolsToBytes([&] { return symbols.at(next++); }, mtf, pulled.data(), max);
        } catch (const ECorruptArchive& e) {
            pulledError = e.what();
        }
        try {
            TPushingDecoder decoder{symbols};
            TMTFDecoder mtf;
            pushedN = DecodeToBytes(decoder, mtf, pushed.data(), max);
        } catch (const ECorruptArchive& e) {
            pushedError = e.what();
        }
        ASSERT_EQ(pushedError, pulledError);
        ASSERT_EQ(pushedN, pulledN);
        if (pulledN >= 0) {
            EXPECT_TRUE(std::equal(pushed.begin(), pushed.begin() + pulledN, pulled.begin()));
        }
        EXPECT_TRUE(std::all_of(pushed.begin() + max, pushed.end(), [](uint8_t b) { return b == 0xAA; }))
            << "wrote past the block";
    }
}

} // namespace
