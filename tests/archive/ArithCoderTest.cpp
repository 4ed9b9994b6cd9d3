// The arithmetic coder against a plain bit-at-a-time transcription of the coding rules: the real
// coder renormalises in batches and divides by reciprocal multiplication, and must still produce
// exactly the same bits.
#include "CodecTestSupport.h"

#include "archive/ArchiveErrors.h"
#include "archive/ArithCoder.h"
#include "archive/MoveToFront.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <random>
#include <string>

using namespace CodecTest;

namespace {

struct TRefModel {
    TRefModel(int n, int increment, int limit)
        : N(n), Increment(increment), Limit(limit), Freq(n + 2, 1), Cum(n + 2), SymToIdx(n), IdxToSym(n + 2) {
        for (int k = 0; k < n; ++k) {
            SymToIdx[k] = k + 1;
            IdxToSym[k + 1] = k;
        }
        for (int i = 0; i <= n + 1; ++i)
            Cum[i] = n + 1 - i;
        Freq[0] = 0;
    }
    void Update(int i) {
        if (Cum[0] >= Limit) {
            int c = 0;
            for (int k = N + 1; k >= 0; --k) {
                Freq[k] = (Freq[k] + 1) / 2;
                Cum[k] = c;
                c += Freq[k];
            }
        }
        int j = i;
        while (Freq[j] == Freq[j - 1])
            --j;
        if (j < i) {
            std::swap(IdxToSym[i], IdxToSym[j]);
            SymToIdx[IdxToSym[i]] = i;
            SymToIdx[IdxToSym[j]] = j;
        }
        Freq[j] += Increment;
        for (int k = j - 1; k >= 0; --k)
            Cum[k] += Increment;
    }
    int N, Increment, Limit;
    std::vector<int> Freq, Cum, SymToIdx, IdxToSym;
};

class TRefEncoder {
public:
    TRefEncoder() {
        const int counts[] = {0, 0, 2, 4, 8, 16, 32, 64, 130};
        const int limits[] = {0, 0, 256, 256, 128, 1024, 2048, 4096, 8192};
        for (int g = 0; g < 9; ++g)
            Groups.emplace_back(std::max(counts[g], 1), 1, limits[g]);
    }
    void Encode(int s) {
        const int g = s < 2 ? s : s >= 128 ? 8 : static_cast<int>(std::bit_width(static_cast<unsigned>(s)));
        Code(Head, Head.SymToIdx[g]);
        if (g >= 2) Code(Groups[g], Groups[g].SymToIdx[s - (1 << (g - 1))]);
    }
    std::vector<uint8_t> Finish() {
        ++Pending;
        Put(Low >= 0x4000 ? 1 : 0);
        std::vector<uint8_t> bytes((Bits.size() + 7) / 8, 0);
        for (size_t i = 0; i < Bits.size(); ++i)
            if (Bits[i]) bytes[i / 8] |= static_cast<uint8_t>(0x80 >> (i % 8));
        return bytes;
    }

private:
    void Put(int b) {
        Bits.push_back(b);
        for (; Pending > 0; --Pending)
            Bits.push_back(!b);
    }
    void Code(TRefModel& m, int i) {
        const int range = High - Low + 1;
        High = Low + (range * m.Cum[i - 1]) / m.Cum[0] - 1;
        Low = Low + (range * m.Cum[i]) / m.Cum[0];
        for (;;) {
            if (High < 0x8000) {
                Put(0);
            } else if (Low >= 0x8000) {
                Put(1);
                Low -= 0x8000;
                High -= 0x8000;
            } else if (Low >= 0x4000 && High < 0xC000) {
                ++Pending;
                Low -= 0x4000;
                High -= 0x4000;
            } else {
                break;
            }
            Low = 2 * Low;
            High = 2 * High + 1;
        }
        m.Update(i);
    }
    TRefModel Head{9, 32, 4096};
    std::vector<TRefModel> Groups;
    int Low = 0, High = 0xFFFF, Pending = 0;
    std::vector<int> Bits;
};

std::vector<uint8_t> Encode(const std::vector<int>& symbols) {
    TBitFile out(std::vector<uint8_t>{});
    TStrucAriEncoder encoder(out);
    encoder.Start();
    for (int s : symbols)
        encoder.Encode(s);
    encoder.Finish();
    return out.MemoryBytes();
}

struct TSymbolSource {
    const char* Name;
    std::function<std::vector<int>()> Make; // ends with the end-of-block symbol
};

std::vector<int> Drawn(size_t n, uint32_t seed, const std::function<int(std::mt19937&)>& draw) {
    std::mt19937 rng(seed);
    std::vector<int> v(n);
    for (int& s : v)
        s = draw(rng);
    v.push_back(EndOfBlockSymbol);
    return v;
}

const std::vector<TSymbolSource>& Sources() {
    static const std::vector<TSymbolSource> sources = {
        {"uniform over all symbols",
         [] { return Drawn(200000, 1, [](auto& r) { return static_cast<int>(r() % 257); }); }},
        {"mostly small symbols",
         [] {
             return Drawn(200000, 2, [](auto& r) {
                 const int k = static_cast<int>(r() % 100);
                 return k < 70 ? k % 4 : k < 95 ? static_cast<int>(r() % 32) : static_cast<int>(r() % 257);
             });
         }},
        {"one symbol over and over", [] { return Drawn(100000, 3, [](auto&) { return 1; }); }},
        {"two symbols far apart", [] { return Drawn(100000, 4, [](auto& r) { return r() % 2 ? 0 : 256; }); }},
        {"shifting favourites",
         [] {
             int n = 0;
             return Drawn(150000, 5, [&n](auto& r) {
                 ++n;
                 return static_cast<int>((n / 5000 * 37 + r() % 3) % 257);
             });
         }},
        {"end of block only", [] { return std::vector<int>{EndOfBlockSymbol}; }},
    };
    return sources;
}

TEST(ArithCoderTest, EncoderMatchesTheBitwiseCoderAndDecoderInvertsIt) {
    for (const TSymbolSource& source : Sources()) {
        SCOPED_TRACE(source.Name);
        const std::vector<int> symbols = source.Make();
        TRefEncoder reference;
        for (int s : symbols)
            reference.Encode(s);
        const std::vector<uint8_t> coded = Encode(symbols);
        ASSERT_EQ(coded, reference.Finish());

        TBitFile in(coded);
        in.SetReadLimit(static_cast<int64_t>(coded.size()));
        TStrucAriDecoder decoder(in);
        decoder.Start();
        for (size_t i = 0; i < symbols.size(); ++i)
            ASSERT_EQ(decoder.Decode(), symbols[i]) << "symbol " << i;
    }
}

struct TModelShape {
    int N;
    int32_t Increment;
    int32_t Limit;
};

void ExpectSameModel(const TGroupAriModel& got, const TGroupAriModel& want, const char* path, int step) {
    for (int i = 0; i <= want.N + 1; ++i) {
        ASSERT_EQ(got.Freq[i], want.Freq[i]) << path << ", step " << step << ", index " << i;
        ASSERT_EQ(got.Cum[i], want.Cum[i]) << path << ", step " << step << ", index " << i;
    }
    for (int i = 1; i <= want.N; ++i)
        ASSERT_EQ(got.IndexToSymbol[i], want.IndexToSymbol[i])
            << path << ", step " << step << ", index " << i;
}

// The update of the encoder and of the decoder's large groups (SIMD), the branch-free one of the head
// and the small groups, and the decoder's search that already counts the entries it passes: all must
// leave a model exactly as the rule written out entry by entry does, halvings included. The head's
// increment of 32 lets its counts fall out of order, which the small update must follow too.
TEST(ArithCoderTest, FastModelUpdatesFollowThePlainRule) {
    const TModelShape shapes[] = {{9, 32, 4096}, {2, 1, 256},   {4, 1, 256},   {8, 1, 128},
                                  {16, 1, 1024}, {32, 1, 2048}, {64, 1, 4096}, {130, 1, 8192}};
    for (const TModelShape& shape : shapes) {
        SCOPED_TRACE("model of " + std::to_string(shape.N) + " symbols");
        TGroupAriModel plain, general, small, counted;
        for (TGroupAriModel* m : {&plain, &general, &small, &counted})
            m->Init(0, shape.N, shape.Increment, shape.Limit);
        std::mt19937 rng(static_cast<uint32_t>(shape.N));
        for (int step = 0; step < 30000; ++step) {
            // Favourites that change now and then, and any index at times.
            const int favourite = 1 + (step / 3000 * 7) % shape.N;
            const int index = rng() % 4 != 0 ? std::min(shape.N, favourite + static_cast<int>(rng() % 3))
                                             : 1 + static_cast<int>(rng() % static_cast<uint32_t>(shape.N));
            plain.UpdatePlain(index);
            general.Update(index);
            ExpectSameModel(general, plain, "Update", step);
            if (shape.N <= TGroupAriModel::SmallMaxSymbols) {
                small.UpdateSmall(index);
                ExpectSameModel(small, plain, "UpdateSmall", step);
            }
            if (counted.Cum[0] < counted.Limit) {
                // Cum falls strictly, so Cum[index] is a target whose symbol sits at index.
                ASSERT_EQ(counted.FindIndexAndCount(counted.Cum[index]), index);
                counted.FinishCountedUpdate(index);
            } else {
                ASSERT_EQ(counted.FindIndex(counted.Cum[index]), index);
                counted.Update(index);
            }
            ExpectSameModel(counted, plain, "FindIndexAndCount", step);
        }
    }
}

// The block loop of the encoder (state in registers, bytes out a chunk at a time) writes what coding
// symbol by symbol writes.
TEST(ArithCoderTest, BlockLoopEncodesLikeSymbolBySymbol) {
    for (const TSymbolSource& source : Sources()) {
        SCOPED_TRACE(source.Name);
        const std::vector<int> symbols = source.Make();
        TBitFile out(std::vector<uint8_t>{});
        TStrucAriEncoder encoder(out);
        encoder.Start();
        encoder.EncodeAll([&](auto&& emit) {
            for (int s : symbols)
                emit(s);
        });
        encoder.Finish();
        EXPECT_EQ(out.MemoryBytes(), Encode(symbols));
    }
}

// Symbols pulled one at a time and pushed by the block loop: the same symbols, and on garbage the same
// failure at the same point.
TEST(ArithCoderTest, BlockLoopDecodesLikeSymbolBySymbol) {
    struct TOutcome {
        std::vector<int> Symbols;
        std::string Error;
    };
    auto decode = [](const std::vector<uint8_t>& coded, bool pushed, size_t most) {
        TBitFile in(coded);
        in.SetReadLimit(static_cast<int64_t>(coded.size()));
        TStrucAriDecoder decoder(in);
        TOutcome o;
        try {
            decoder.Start();
            if (pushed) {
                decoder.DecodeWhile([&](int s) {
                    o.Symbols.push_back(s);
                    return s != EndOfBlockSymbol && o.Symbols.size() < most;
                });
            } else {
                while (o.Symbols.size() < most && (o.Symbols.empty() || o.Symbols.back() != EndOfBlockSymbol))
                    o.Symbols.push_back(decoder.Decode());
            }
        } catch (const EBitReadLimit&) {
            o.Error = "read limit";
        } catch (const ECorruptArchive&) {
            o.Error = "corrupt";
        }
        return o;
    };
    std::vector<std::vector<uint8_t>> streams;
    for (const TSymbolSource& source : Sources())
        streams.push_back(Encode(source.Make()));
    for (uint32_t seed = 0; seed < 300; ++seed)
        streams.push_back(RandomBytes(1 + seed % 60, seed));
    for (const std::vector<uint8_t>& coded : streams) {
        const TOutcome pulled = decode(coded, false, 400000), pushed = decode(coded, true, 400000);
        ASSERT_EQ(pushed.Symbols, pulled.Symbols);
        ASSERT_EQ(pushed.Error, pulled.Error);
    }
}

// A code value in the slot after a model's last symbol cannot come from the encoder. A stream of zero
// bytes lands there at once.
TEST(ArithCoderTest, ImpossibleCodeValueIsCorrupt) {
    TBitFile in(std::vector<uint8_t>(16, 0));
    in.SetReadLimit(16);
    TStrucAriDecoder decoder(in);
    decoder.Start();
    EXPECT_THROW(decoder.Decode(), ECorruptArchive);
}

TEST(ArithCoderTest, GarbageDecodesToValidSymbolsOrFailsCleanly) {
    for (uint32_t seed = 0; seed < 200; ++seed) {
        const std::vector<uint8_t> garbage = RandomBytes(1 + seed % 50, seed);
        TBitFile in(garbage);
        in.SetReadLimit(static_cast<int64_t>(garbage.size()));
        TStrucAriDecoder decoder(in);
        try {
            decoder.Start();
            for (int k = 0; k < 5000; ++k) {
                const int s = decoder.Decode();
                ASSERT_TRUE(s >= 0 && s <= EndOfBlockSymbol) << s;
            }
        } catch (const EBitReadLimit&) {
        } catch (const ECorruptArchive&) {
        }
    }
}

} // namespace
