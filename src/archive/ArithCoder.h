#pragma once
// A 16-bit integer arithmetic coder over a two-level adaptive model: the head model codes which of
// nine symbol groups comes next, one model per group codes the symbol inside a group of several.
// Encoder and decoder must update their models identically, bit for bit. The per-symbol paths are
// inline here: they are the codec's hot loop.
#include "archive/ArchiveErrors.h"
#include "archive/BitFile.h"

#include <array>
#include <bit>
#include <cstdint>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

// An adaptive model over the symbols Lo..Lo+N-1. Symbols sit at indexes 1..N kept in falling order
// of frequency; index N+1 holds a count of its own and is never coded. Cum[i] is the sum of
// Freq[i+1..N+1], so Cum[0] is the total.
class TGroupAriModel {
public:
    static constexpr int MaxSymbols = 130;

    void Init(int lo, int count, int32_t increment, int32_t limit);
    inline void Update(int index);
    // The smallest index i with Cum[i] <= target, for 0 <= target < Cum[0]; N + 1 when no symbol has it.
    inline int FindIndex(int32_t target) const;

    int Lo = 0;
    int N = 0;
    int32_t Increment = 1;
    int32_t Limit = 0;
    // Padded with zeros past N + 1 so that the search and the update can work four entries at a time.
    static constexpr int Slots = MaxSymbols + 2 + 6;
    alignas(16) int32_t Cum[Slots];
    int32_t Freq[Slots];
    uint8_t SymbolToIndex[MaxSymbols]; // relative symbol -> index 1..N
    uint8_t IndexToSymbol[Slots];      // index 1..N -> relative symbol

private:
    void Halve();
};

// The head model over the groups 0..8 and one model for each group of more than one symbol.
class THeadAriModel {
public:
    static constexpr int GroupCount = 9;

    THeadAriModel() { Reset(); }
    void Reset();

    static int GroupOf(int symbol) { // symbol 0..257
        if (symbol < 2) return symbol;
        return symbol >= 128 ? 8 : std::bit_width(static_cast<unsigned>(symbol));
    }
    static int GroupLo(int group) { return group < 2 ? group : 1 << (group - 1); }

    TGroupAriModel Head;
    TGroupAriModel Groups[GroupCount]; // 2..8 in use
};

namespace AriDetail {

constexpr uint32_t Top = 0xFFFF;
constexpr uint32_t Half = 0x8000;
constexpr uint32_t FirstQuarter = 0x4000;

// Division by a model total is done as a multiplication by a rounded-up reciprocal: with
// m = floor(2^44 / d) + 1, (x * m) >> 44 equals x div d for every x <= 65536 * d once d < 2^14.
// Here x is a range times a cumulative count, so that always holds; totals never pass 8192 (the
// largest limit) plus one increment.
constexpr int ReciprocalShift = 44;
constexpr int32_t MaxTotal = 8192 + 64;
extern const std::array<uint64_t, MaxTotal + 1> Reciprocals;

// range * cum div total, with cum <= total.
inline uint32_t Scale(uint32_t range, int32_t cum, int32_t total) {
    return static_cast<uint32_t>(
        (uint64_t{range} * static_cast<uint64_t>(cum) * Reciprocals[static_cast<size_t>(total)]) >>
        ReciprocalShift);
}

// Renormalisation, done in two batches instead of bit by bit. While low and high agree in their top
// bit, that bit is settled: shift it out (SettledBits of them). Then, while low = 01... and
// high = 10..., the interval straddles the middle half: drop the second bit and count it as pending
// (UnderflowBits of them). An underflow step leaves low < half <= high, so no settled bit can follow
// it within one renormalisation.
inline int SettledBits(uint32_t low, uint32_t high) { // low < high
    return std::countl_zero(static_cast<uint16_t>(low ^ high));
}
inline int UnderflowBits(uint32_t low, uint32_t high) { // low < half <= high
    const uint32_t notStraddling = ~(low & ~high) & 0x7FFFu;
    return notStraddling == 0 ? 15 : std::countl_zero(notStraddling << 17);
}
// k underflow steps v <- 2 (v - quarter) + bit, in closed form.
inline uint32_t DropUnderflow(uint32_t v, int k, uint32_t bits) {
    return (v << k) - Half * ((1u << k) - 1) + bits;
}

} // namespace AriDetail

// Writes its bits straight to the archive file, most significant first, starting on a byte boundary.
class TStrucAriEncoder {
public:
    explicit TStrucAriEncoder(TBitFile& out) : Out(out) {}
    void Start();             // fresh model and coder state
    void Encode(int symbol) { // 0..257
        const int g = THeadAriModel::GroupOf(symbol);
        EncodeIndex(Model.Head, Model.Head.SymbolToIndex[g]);
        if (g >= 2) {
            TGroupAriModel& group = Model.Groups[g];
            EncodeIndex(group, group.SymbolToIndex[symbol - group.Lo]);
        }
    }
    void Finish(); // the last bits, then the pending byte completed with 0 bits

private:
    inline void EncodeIndex(TGroupAriModel& model, int index);
    void PutBits(uint32_t bits, int count) { // count <= 32
        Acc = (Acc << count) | bits;
        AccBits += count;
        while (AccBits >= 8) {
            AccBits -= 8;
            Out.WriteByte(static_cast<uint8_t>(Acc >> AccBits));
        }
    }
    void PutBitPlusPending(uint32_t bit);

    TBitFile& Out;
    THeadAriModel Model;
    uint32_t Low = 0;
    uint32_t High = 0xFFFF;
    uint32_t Pending = 0;
    uint64_t Acc = 0; // bits not yet written, fewer than 8 between calls
    int AccBits = 0;
};

// Takes its bits from the archive file's bit level under the block's read limit. It keeps a window
// of up to 64 bits, so it may fetch a few bytes beyond the ones it uses; the caller positions the file
// from the block header afterwards.
class TStrucAriDecoder {
public:
    explicit TStrucAriDecoder(TBitFile& in) : In(in) {}
    void Start(); // fresh model, reads the first 16 bits
    // The next symbol 0..257. A code value that no symbol can have produced: ECorruptArchive.
    int Decode() {
        const int g = DecodeIndex(Model.Head);
        if (g < 2) return g;
        TGroupAriModel& group = Model.Groups[g];
        return group.Lo + DecodeIndex(group);
    }

private:
    inline int DecodeIndex(TGroupAriModel& model);
    uint32_t TakeBits(int count) { // 1..16
        if (WindowBits < count) Refill();
        const auto bits = static_cast<uint32_t>(Window >> (64 - count));
        Window <<= count;
        WindowBits -= count;
        return bits;
    }
    void Refill();

    TBitFile& In;
    THeadAriModel Model;
    uint32_t Low = 0;
    uint32_t High = 0xFFFF;
    uint32_t Value = 0;
    uint64_t Window = 0; // next bit at bit 63
    int WindowBits = 0;
};

inline int TGroupAriModel::FindIndex(int32_t target) const {
#if defined(__SSE2__)
    // Cum falls with the index, so the entries above target form a prefix; count it four at a time.
    // Cum[0] is above target and Cum[N + 1] is 0, so the walk starts aligned and ends by N + 1.
    const __m128i t = _mm_set1_epi32(target);
    for (int i = 0;; i += 4) {
        const __m128i c = _mm_load_si128(reinterpret_cast<const __m128i*>(Cum + i));
        const auto above = static_cast<unsigned>(_mm_movemask_ps(_mm_castsi128_ps(_mm_cmpgt_epi32(c, t))));
        if (above != 0xFu) return i + std::countr_one(above);
    }
#else
    int i = 1;
    while (Cum[i] > target)
        ++i;
    return i;
#endif
}

inline void TGroupAriModel::Update(int index) {
    // The halving test comes before the increment, so a total may pass the limit by one increment.
    if (Cum[0] >= Limit) Halve();
    // Move the symbol ahead of every symbol of equal count, keeping the frequencies in falling order.
    // Freq[0] is 0 and every other count at least 1, so the walk stops at index 1.
    const int32_t f = Freq[index];
    int j = index;
    while (Freq[j - 1] == f)
        --j;
    if (j < index) {
        const uint8_t si = IndexToSymbol[index];
        const uint8_t sj = IndexToSymbol[j];
        IndexToSymbol[index] = sj;
        IndexToSymbol[j] = si;
        SymbolToIndex[si] = static_cast<uint8_t>(j);
        SymbolToIndex[sj] = static_cast<uint8_t>(index);
    }
    Freq[j] += Increment;
    // Cum[0..j-1] += Increment
#if defined(__SSE2__)
    const __m128i inc = _mm_set1_epi32(Increment);
    const __m128i limit = _mm_set1_epi32(j);
    __m128i k4 = _mm_setr_epi32(0, 1, 2, 3);
    for (int k = 0; k < j; k += 4) {
        auto* p = reinterpret_cast<__m128i*>(Cum + k);
        _mm_store_si128(p, _mm_add_epi32(_mm_load_si128(p), _mm_and_si128(_mm_cmplt_epi32(k4, limit), inc)));
        k4 = _mm_add_epi32(k4, _mm_set1_epi32(4));
    }
#else
    for (int k = 0; k < j; ++k)
        Cum[k] += Increment;
#endif
}

inline void TStrucAriEncoder::EncodeIndex(TGroupAriModel& model, int index) {
    using namespace AriDetail;
    const uint32_t range = High - Low + 1;
    const int32_t total = model.Cum[0];
    High = Low + Scale(range, model.Cum[index - 1], total) - 1;
    Low = Low + Scale(range, model.Cum[index], total);

    const int k1 = SettledBits(Low, High);
    if (k1 > 0) {
        if (Pending == 0) {
            PutBits(Low >> (16 - k1), k1);
        } else {
            PutBitPlusPending(Low >> 15);
            if (k1 > 1) PutBits((Low >> (16 - k1)) & ((1u << (k1 - 1)) - 1), k1 - 1);
        }
        Low = (Low << k1) & Top;
        High = ((High << k1) & Top) | ((1u << k1) - 1);
    }
    const int k3 = UnderflowBits(Low, High);
    if (k3 > 0) {
        Pending += static_cast<uint32_t>(k3);
        Low = DropUnderflow(Low, k3, 0);
        High = DropUnderflow(High, k3, (1u << k3) - 1);
    }
    model.Update(index);
}

inline int TStrucAriDecoder::DecodeIndex(TGroupAriModel& model) {
    using namespace AriDetail;
    // Low <= Value <= High holds throughout, so target lies in 0..total-1.
    const uint32_t low = Low, range = High - Low + 1;
    const int32_t total = model.Cum[0];
    const auto target = static_cast<int32_t>(((Value - low + 1) * static_cast<uint32_t>(total) - 1) / range);
    const int i = model.FindIndex(target);
    // The slot after the last symbol is never coded: only a corrupt stream lands there.
    if (i > model.N) throw ECorruptArchive("Corrupt block: undecodable symbol.");
    uint32_t high = low + Scale(range, model.Cum[i - 1], total) - 1;
    uint32_t lo = low + Scale(range, model.Cum[i], total);
    uint32_t value = Value;

    const int k1 = SettledBits(lo, high);
    if (k1 > 0) {
        lo = (lo << k1) & Top;
        high = ((high << k1) & Top) | ((1u << k1) - 1);
        value = ((value << k1) & Top) | TakeBits(k1);
    }
    const int k3 = UnderflowBits(lo, high);
    if (k3 > 0) {
        lo = DropUnderflow(lo, k3, 0);
        high = DropUnderflow(high, k3, (1u << k3) - 1);
        value = DropUnderflow(value, k3, TakeBits(k3));
    }
    Low = lo;
    High = high;
    Value = value;
    const int symbol = model.IndexToSymbol[i];
    model.Update(i);
    return symbol;
}
