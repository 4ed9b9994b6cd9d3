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
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

// The per-symbol steps of the decoder must sit inside its loop, where the coder state stays in
// registers; left to itself the compiler keeps some of them out of line.
#if defined(__GNUC__)
#define ARI_INLINE inline __attribute__((always_inline))
#define ARI_INLINE_LAMBDA __attribute__((always_inline))
#else
#define ARI_INLINE inline
#define ARI_INLINE_LAMBDA
#endif

// An adaptive model over the symbols Lo..Lo+N-1. Symbols sit at indexes 1..N kept in falling order
// of frequency; index N+1 holds a count of its own and is never coded. Cum[i] is the sum of
// Freq[i+1..N+1], so Cum[0] is the total.
class TGroupAriModel {
public:
    static constexpr int MaxSymbols = 130;

    void Init(int lo, int count, int32_t increment, int32_t limit);
    // The adaptation after coding the symbol at index.
    inline void Update(int index);
    // The smallest index i with Cum[i] <= target, for 0 <= target < Cum[0]; N + 1 when no symbol has it.
    inline int FindIndex(int32_t target) const;
    // For a large model the search and the update walk the same entries, so the decoder can do both in
    // one pass: FindIndexAndCount finds i as FindIndex does and already adds Increment to Cum[0..i-1]
    // (only when no halving is due: Cum[0] < Limit); FinishCountedUpdate(i) then completes Update(i).
    inline int FindIndexAndCount(int32_t target);
    inline void FinishCountedUpdate(int index);
    // Models of up to SmallMaxSymbols symbols (the head and the groups of up to eight symbols) fit in a
    // few registers: UpdateSmall does what Update does without a branch but the halving.
    static constexpr int SmallMaxSymbols = 9;
    inline void UpdateSmall(int index);
    // The update rule as written, entry by entry: the reference the fast updates are held against.
    void UpdatePlain(int index);

    int Lo = 0;
    int N = 0;
    int32_t Increment = 1;
    int32_t Limit = 0;
    // Padded with zeros past N + 1 so that the search and the update can work eight entries at a time.
    static constexpr int Slots = MaxSymbols + 2 + 10;
    alignas(16) int32_t Cum[Slots];
    alignas(16) int32_t Freq[Slots];
    uint8_t SymbolToIndex[MaxSymbols]; // relative symbol -> index 1..N
    uint8_t IndexToSymbol[Slots];      // index 1..N -> relative symbol

private:
    void Halve();
    inline int MoveAhead(int index); // the new index of the symbol, whose count is then raised
    inline void AddToCum(int j);     // Cum[0..j-1] += Increment
};

// The head model over the groups 0..8 and one model for each group of more than one symbol.
class THeadAriModel {
public:
    static constexpr int GroupCount = 9;

    THeadAriModel() { Reset(); }
    void Reset(); // the start state, copied from one model set up once

    static int GroupOf(int symbol) { // symbol 0..257
        if (symbol < 2) return symbol;
        return symbol >= 128 ? 8 : std::bit_width(static_cast<unsigned>(symbol));
    }

    TGroupAriModel Head;
    TGroupAriModel Groups[GroupCount]; // 2..8 in use

private:
    struct TSetUp {};
    explicit THeadAriModel(TSetUp);
};

namespace AriDetail {

constexpr uint32_t Top = 0xFFFF;
constexpr uint32_t Half = 0x8000;
constexpr uint32_t FirstQuarter = 0x4000;

// Division by a model total is done as a multiplication by a rounded-up reciprocal: with
// m = floor(2^44 / d) + 1, (x * m) >> 44 equals x div d for every x <= 65536 * d once d < 2^14.
// Here x is a range times a cumulative count, so that always holds; totals never pass 8192 (the
// largest limit) plus one increment. The product range * m * cum stays below 2^61, so range * m can
// be formed first, once for both ends of the new interval.
constexpr int ReciprocalShift = 44;
constexpr int32_t MaxTotal = 8192 + 64;
extern const std::array<uint64_t, MaxTotal + 1> Reciprocals;

inline uint64_t ScaledRange(uint32_t range, int32_t total) {
    return uint64_t{range} * Reciprocals[static_cast<size_t>(total)];
}
// range * cum div total, given ScaledRange(range, total) and cum <= total.
inline uint32_t Scale(uint64_t scaledRange, int32_t cum) {
    return static_cast<uint32_t>((scaledRange * static_cast<uint64_t>(cum)) >> ReciprocalShift);
}

// Renormalisation, done in two batches instead of bit by bit. While low and high agree in their top
// bit, that bit is settled: shift it out (SettledBits of them). Then, while low = 01... and
// high = 10..., the interval straddles the middle half: drop the second bit and count it as pending
// (UnderflowBits of them). An underflow step leaves low < half <= high, so no settled bit can follow
// it within one renormalisation.
// Both are branch-free: a guard bit keeps the count defined, and a count of 0 makes the steps below
// identities, so they need no test either.
inline int SettledBits(uint32_t low, uint32_t high) { // low < high, so at most 15
    return std::countl_zero(((low ^ high) << 16) | 0x8000u);
}
inline int UnderflowBits(uint32_t low, uint32_t high) { // low < half <= high; at most 15
    const uint32_t notStraddling = ~(low & ~high) & 0x7FFFu;
    return std::countl_zero((notStraddling << 17) | 0x10000u);
}
// k underflow steps v <- 2 (v - quarter) + bit, in closed form.
inline uint32_t DropUnderflow(uint32_t v, int k, uint32_t bits) {
    return (v << k) - Half * ((1u << k) - 1) + bits;
}

// The highest set bit of x != 0; without the test for zero that std::bit_width carries.
inline int HighestBit(uint32_t x) {
#if defined(__GNUC__)
    return 31 - __builtin_clz(x);
#else
    return std::bit_width(x) - 1;
#endif
}

// The number of k in From..From+Count-1 with cum[k] * range >= scaled, summed as a tree so that the
// comparisons do not wait for each other.
template <int From, int Count>
ARI_INLINE int CountAbove(const int32_t* cum, uint32_t range, uint32_t scaled) {
    if constexpr (Count == 1) {
        return static_cast<uint32_t>(cum[From]) * range >= scaled;
    } else {
        return CountAbove<From, Count / 2>(cum, range, scaled) +
               CountAbove<From + Count / 2, Count - Count / 2>(cum, range, scaled);
    }
}

} // namespace AriDetail

// Writes its bits to the archive file, most significant first, starting on a byte boundary; the bytes
// go out a chunk at a time.
class TStrucAriEncoder {
public:
    explicit TStrucAriEncoder(TBitFile& out) : Out(out) {}
    void Start();             // fresh model and coder state
    void Encode(int symbol) { // 0..257
        TState state = State;
        EncodeSymbol(state, symbol);
        State = state;
    }
    // feed(emit) calls emit(symbol) for the symbols in order. The same as calling Encode for each, with
    // the coder state kept in registers throughout.
    template <typename TFeed>
    void EncodeAll(TFeed&& feed) {
        TState state = State;
        feed([this, &state](int symbol) ARI_INLINE_LAMBDA { EncodeSymbol(state, symbol); });
        State = state;
    }
    void Finish(); // the last bits, then the pending byte completed with 0 bits

private:
    struct TState {
        uint32_t Low = 0;
        uint32_t High = 0xFFFF;
        uint32_t Pending = 0; // underflow bits, the opposite of the next settled bit
        int AccBits = 0;      // bits in Acc not yet in the buffer (the low ones), fewer than 8 between steps
        uint64_t Acc = 0;
        uint32_t Used = 0; // bytes in Buffer
    };
    static constexpr uint32_t ChunkBytes = 4096;

    ARI_INLINE void EncodeSymbol(TState& state, int symbol);
    ARI_INLINE void EncodeIndex(TState& state, const TGroupAriModel& model, int index);
    // Without a branch on how many bytes are complete: the whole bits go out as one 8-byte store, most
    // significant first, and the buffer position moves on by the complete bytes among them.
    ARI_INLINE void PutBits(TState& state, uint32_t bits, int count) { // count <= 32
        state.Acc = (state.Acc << count) | bits;
        state.AccBits += count;
        uint64_t word = (state.Acc << 1) << (63 - state.AccBits); // AccBits <= 39
        if constexpr (std::endian::native == std::endian::little) word = __builtin_bswap64(word);
        std::memcpy(Buffer + state.Used, &word, sizeof word);
        state.Used += static_cast<uint32_t>(state.AccBits >> 3);
        state.AccBits &= 7;
        if (state.Used >= ChunkBytes) state.Used = WriteOut(state.Used);
    }
    // One settled bit, then the pending underflow bits, which are its opposite.
    ARI_INLINE void PutBitPlusPending(TState& state, uint32_t bit) {
        PutBits(state, bit, 1);
        const uint32_t opposite = bit ? 0u : 0xFFFFFFFFu;
        for (; state.Pending >= 32; state.Pending -= 32)
            PutBits(state, opposite, 32);
        if (state.Pending > 0)
            PutBits(state, opposite >> (32 - state.Pending), static_cast<int>(state.Pending));
        state.Pending = 0;
    }
    uint32_t WriteOut(uint32_t used); // the buffered bytes to the file; returns 0, the bytes left

    TBitFile& Out;
    THeadAriModel Model;
    TState State;
    uint8_t Buffer[ChunkBytes + 8];
};

// Takes its bits from the archive file's bit level under the block's read limit, a chunk at a time, so
// it may fetch bytes well beyond the ones it uses; the caller positions the file from the block header
// afterwards. Running past the bytes the read limit allows raises what the bit level raises.
class TStrucAriDecoder {
public:
    explicit TStrucAriDecoder(TBitFile& in) : In(in) {}
    void Start(); // fresh model, reads the first 16 bits
    // The next symbol 0..257. A code value that no symbol can have produced: ECorruptArchive.
    int Decode() {
        TState state = State;
        const int symbol = DecodeSymbol(state);
        if (state.Pos > RefillAt) state.Pos = Refill(state.Pos);
        State = state;
        return symbol;
    }
    // Decodes symbols and hands each to sink(symbol) until sink returns false. The same as calling
    // Decode in a loop, with the coder state kept in registers throughout.
    template <typename TSink>
    void DecodeWhile(TSink&& sink) {
        TState state = State;
        for (;;) {
            const int symbol = DecodeSymbol(state);
            if (state.Pos > RefillAt) state.Pos = Refill(state.Pos);
            if (!sink(symbol)) break;
        }
        State = state;
    }

private:
    // The interval as its low end and width, and the code value as its offset from the low end: every
    // renormalisation step, whichever of the three it is, doubles width and offset alike (the offset
    // taking in the next bit), and only the count of steps depends on the low end.
    struct TState {
        uint32_t Low = 0;
        uint32_t Range = 0x10000; // High - Low + 1
        uint32_t Offset = 0;      // Value - Low, below Range
        uint32_t Pos = 0;         // next bit in Buffer
    };
    // One symbol takes at most 32 bits: each of its two indexes at most 16, since an index leaves an
    // interval of width at least 1 and every bit taken doubles it up to at most 2^16.
    static constexpr uint32_t MaxSymbolBits = 32;
    static constexpr size_t ChunkBytes = 4096;

    ARI_INLINE int DecodeSymbol(TState& state);
    template <int Candidates>
    ARI_INLINE int DecodeSmall(TGroupAriModel& model, TState& state);
    ARI_INLINE int DecodeLarge(TGroupAriModel& model, TState& state);
    ARI_INLINE void Narrow(TState& state, uint64_t scaledRange, int32_t cumHigh, int32_t cumLow);
    // The next k bits (0..16), most significant first. Reads eight bytes at the byte of pos.
    uint32_t TakeBits(uint32_t& pos, int k) const {
        uint64_t word;
        std::memcpy(&word, Buffer + (pos >> 3), sizeof word);
        if constexpr (std::endian::native == std::endian::little) word = __builtin_bswap64(word);
        word <<= pos & 7u;
        pos += static_cast<uint32_t>(k);
        return static_cast<uint32_t>((word >> 1) >> (63 - k));
    }
    // Moves the unread bytes to the front and tops the buffer up; returns the position there. Past the
    // last byte the file gave: the bit level's error.
    uint32_t Refill(uint32_t pos);

    TBitFile& In;
    THeadAriModel Model;
    TState State;
    uint32_t End = 0;      // bits in Buffer
    uint32_t RefillAt = 0; // refill once Pos passes this
    bool Exhausted = false;
    // Eight bytes of zeros past End keep TakeBits inside the buffer.
    uint8_t Buffer[ChunkBytes + 8];
};

inline int TGroupAriModel::FindIndex(int32_t target) const {
#if defined(__SSE2__)
    // Cum falls with the index, so the entries above target form a prefix; count it eight at a time.
    // Cum[0] is above target and Cum[N + 1] is 0, so the walk starts aligned and ends by N + 1.
    const __m128i t = _mm_set1_epi32(target);
    for (int i = 0;; i += 8) {
        const __m128i lo = _mm_load_si128(reinterpret_cast<const __m128i*>(Cum + i));
        const __m128i hi = _mm_load_si128(reinterpret_cast<const __m128i*>(Cum + i + 4));
        const __m128i above = _mm_packs_epi32(_mm_cmpgt_epi32(lo, t), _mm_cmpgt_epi32(hi, t));
        const auto bits = static_cast<unsigned>(_mm_movemask_epi8(above)); // two bits per entry
        if (bits != 0xFFFFu) return i + std::countr_one(bits) / 2;
    }
#else
    int i = 1;
    while (Cum[i] > target)
        ++i;
    return i;
#endif
}

inline int TGroupAriModel::FindIndexAndCount(int32_t target) {
#if defined(__SSE2__)
    // The entries above target are exactly Cum[0..i-1], the ones the update raises.
    const __m128i t = _mm_set1_epi32(target);
    const __m128i inc = _mm_set1_epi32(Increment);
    for (int i = 0;; i += 8) {
        auto* p = reinterpret_cast<__m128i*>(Cum + i);
        const __m128i lo = _mm_load_si128(p), hi = _mm_load_si128(p + 1);
        const __m128i aboveLo = _mm_cmpgt_epi32(lo, t), aboveHi = _mm_cmpgt_epi32(hi, t);
        _mm_store_si128(p, _mm_add_epi32(lo, _mm_and_si128(aboveLo, inc)));
        _mm_store_si128(p + 1, _mm_add_epi32(hi, _mm_and_si128(aboveHi, inc)));
        const auto bits = static_cast<unsigned>(_mm_movemask_epi8(_mm_packs_epi32(aboveLo, aboveHi)));
        if (bits != 0xFFFFu) return i + std::countr_one(bits) / 2;
    }
#else
    int i = 0;
    for (; Cum[i] > target; ++i)
        Cum[i] += Increment;
    return i;
#endif
}

inline int TGroupAriModel::MoveAhead(int index) {
    // Move the symbol ahead of every symbol of equal count, keeping the frequencies in falling order.
    // Freq[0] is 0 and every other count at least 1, so the walk stops at index 1.
    const int32_t f = Freq[index];
    int j = index;
#if defined(__SSE2__)
    // The equal counts end right before index: count those among the eight entries before it at once;
    // the walk below then only goes on when all eight were equal.
    if (index >= 8) {
        const __m128i fv = _mm_set1_epi32(f);
        const __m128i lo = _mm_loadu_si128(reinterpret_cast<const __m128i*>(Freq + index - 8));
        const __m128i hi = _mm_loadu_si128(reinterpret_cast<const __m128i*>(Freq + index - 4));
        const auto equal = static_cast<uint16_t>(
            _mm_movemask_epi8(_mm_packs_epi32(_mm_cmpeq_epi32(lo, fv), _mm_cmpeq_epi32(hi, fv))));
        j -= std::countl_one(equal) / 2;
    }
#endif
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
    return j;
}

inline void TGroupAriModel::FinishCountedUpdate(int index) {
    const int j = MoveAhead(index);
    // Cum[j..index-1] were raised by the search, but they now lie past the symbol.
#if defined(__SSE2__)
    if (index >= 8 && index - j < 8) { // the eight entries before index, masked to the last index - j
        const __m128i first = _mm_set1_epi32(7 - (index - j));
        const __m128i inc = _mm_set1_epi32(Increment);
        auto* lo = reinterpret_cast<__m128i*>(Cum + index - 8);
        auto* hi = reinterpret_cast<__m128i*>(Cum + index - 4);
        const __m128i maskLo = _mm_cmpgt_epi32(_mm_setr_epi32(0, 1, 2, 3), first);
        const __m128i maskHi = _mm_cmpgt_epi32(_mm_setr_epi32(4, 5, 6, 7), first);
        _mm_storeu_si128(lo, _mm_sub_epi32(_mm_loadu_si128(lo), _mm_and_si128(maskLo, inc)));
        _mm_storeu_si128(hi, _mm_sub_epi32(_mm_loadu_si128(hi), _mm_and_si128(maskHi, inc)));
        return;
    }
#endif
    for (int k = j; k < index; ++k)
        Cum[k] -= Increment;
}

inline void TGroupAriModel::Update(int index) {
    // The halving test comes before the increment, so a total may pass the limit by one increment.
    if (Cum[0] >= Limit) Halve();
    AddToCum(MoveAhead(index));
}

inline void TGroupAriModel::UpdateSmall(int index) {
    if (Cum[0] >= Limit) Halve();
#if defined(__SSE2__)
    // The symbol moves ahead over the run of equal counts that ends at its index. Not the first equal
    // count: with the head's increment of 32 the counts are not always in order. The counts are read
    // and written as whole registers only, so that each update reads what the last one stored at once.
    const __m128i fv = _mm_set1_epi32(Freq[index]);
    auto* freq = reinterpret_cast<__m128i*>(Freq);
    auto* cum = reinterpret_cast<__m128i*>(Cum);
    const __m128i f0 = _mm_load_si128(freq), f1 = _mm_load_si128(freq + 1), f2 = _mm_load_si128(freq + 2);
    const __m128i eq12 = _mm_packs_epi16(_mm_packs_epi32(_mm_cmpeq_epi32(f0, fv), _mm_cmpeq_epi32(f1, fv)),
                                         _mm_packs_epi32(_mm_cmpeq_epi32(f2, fv), _mm_setzero_si128()));
    const auto eq = static_cast<uint32_t>(_mm_movemask_epi8(eq12)); // bit k for index k
    // Freq[0] is 0 and differs from every count, so the highest different index below exists.
    const int j = AriDetail::HighestBit(~eq & ((1u << index) - 1)) + 1;
    const uint8_t si = IndexToSymbol[index];
    const uint8_t sj = IndexToSymbol[j];
    IndexToSymbol[index] = sj;
    IndexToSymbol[j] = si;
    SymbolToIndex[si] = static_cast<uint8_t>(j);
    SymbolToIndex[sj] = static_cast<uint8_t>(index);
    // Freq[j] and Cum[0..j-1] += Increment, over the twelve entries that hold them all.
    const __m128i jv = _mm_set1_epi32(j);
    const __m128i inc = _mm_set1_epi32(Increment);
    const __m128i at0 = _mm_setr_epi32(0, 1, 2, 3);
    const __m128i at1 = _mm_setr_epi32(4, 5, 6, 7);
    const __m128i at2 = _mm_setr_epi32(8, 9, 10, 11);
    _mm_store_si128(freq, _mm_add_epi32(f0, _mm_and_si128(_mm_cmpeq_epi32(jv, at0), inc)));
    _mm_store_si128(freq + 1, _mm_add_epi32(f1, _mm_and_si128(_mm_cmpeq_epi32(jv, at1), inc)));
    _mm_store_si128(freq + 2, _mm_add_epi32(f2, _mm_and_si128(_mm_cmpeq_epi32(jv, at2), inc)));
    _mm_store_si128(cum, _mm_add_epi32(_mm_load_si128(cum), _mm_and_si128(_mm_cmpgt_epi32(jv, at0), inc)));
    _mm_store_si128(cum + 1,
                    _mm_add_epi32(_mm_load_si128(cum + 1), _mm_and_si128(_mm_cmpgt_epi32(jv, at1), inc)));
    _mm_store_si128(cum + 2,
                    _mm_add_epi32(_mm_load_si128(cum + 2), _mm_and_si128(_mm_cmpgt_epi32(jv, at2), inc)));
#else
    AddToCum(MoveAhead(index));
#endif
}

inline void TGroupAriModel::AddToCum(int j) {
#if defined(__SSE2__)
    const __m128i inc = _mm_set1_epi32(Increment);
    int k = 0;
    for (; k + 8 <= j; k += 8) {
        auto* p = reinterpret_cast<__m128i*>(Cum + k);
        _mm_store_si128(p, _mm_add_epi32(_mm_load_si128(p), inc));
        _mm_store_si128(p + 1, _mm_add_epi32(_mm_load_si128(p + 1), inc));
    }
    if (k < j) { // the last, partial eight
        const __m128i limit = _mm_set1_epi32(j - k);
        const __m128i first4 = _mm_setr_epi32(0, 1, 2, 3);
        auto* p = reinterpret_cast<__m128i*>(Cum + k);
        _mm_store_si128(p,
                        _mm_add_epi32(_mm_load_si128(p), _mm_and_si128(_mm_cmplt_epi32(first4, limit), inc)));
        const __m128i next4 = _mm_add_epi32(first4, _mm_set1_epi32(4));
        _mm_store_si128(
            p + 1, _mm_add_epi32(_mm_load_si128(p + 1), _mm_and_si128(_mm_cmplt_epi32(next4, limit), inc)));
    }
#else
    for (int k = 0; k < j; ++k)
        Cum[k] += Increment;
#endif
}

ARI_INLINE void TStrucAriEncoder::EncodeIndex(TState& state, const TGroupAriModel& model, int index) {
    using namespace AriDetail;
    const uint64_t scaledRange = ScaledRange(state.High - state.Low + 1, model.Cum[0]);
    uint32_t high = state.Low + Scale(scaledRange, model.Cum[index - 1]) - 1;
    uint32_t low = state.Low + Scale(scaledRange, model.Cum[index]);

    const int k1 = SettledBits(low, high);
    if (state.Pending > 15 && k1 > 0) { // a long underflow run: rare
        PutBitPlusPending(state, low >> 15);
        PutBits(state, (low >> (16 - k1)) & ((1u << (k1 - 1)) - 1), k1 - 1);
    } else {
        // The settled bits with the pending ones (the opposite of the first) after the first, in one
        // go and without branches; nothing at all when no bit settled.
        const uint32_t pending = k1 > 0 ? state.Pending : 0;
        const int k = k1 + (k1 == 0);
        const uint32_t first = low >> 15;
        const uint32_t rest = (low >> (16 - k)) & ((1u << (k - 1)) - 1);
        const uint32_t bits = ((first << pending | (first ^ 1u) * ((1u << pending) - 1)) << (k - 1)) | rest;
        PutBits(state, k1 > 0 ? bits : 0, k1 > 0 ? k1 + static_cast<int>(pending) : 0);
        state.Pending -= pending;
    }
    low = (low << k1) & Top;
    high = ((high << k1) & Top) | ((1u << k1) - 1);
    const int k3 = UnderflowBits(low, high);
    state.Pending += static_cast<uint32_t>(k3);
    state.Low = DropUnderflow(low, k3, 0);
    state.High = DropUnderflow(high, k3, (1u << k3) - 1);
}

ARI_INLINE void TStrucAriEncoder::EncodeSymbol(TState& state, int symbol) {
    const int g = THeadAriModel::GroupOf(symbol);
    const int head = Model.Head.SymbolToIndex[g];
    EncodeIndex(state, Model.Head, head);
    Model.Head.UpdateSmall(head);
    if (g < 2) return;
    TGroupAriModel& group = Model.Groups[g];
    const int index = group.SymbolToIndex[symbol - group.Lo];
    EncodeIndex(state, group, index);
    if (group.N <= TGroupAriModel::SmallMaxSymbols)
        group.UpdateSmall(index);
    else
        group.Update(index);
}

ARI_INLINE void TStrucAriDecoder::Narrow(TState& state, uint64_t scaledRange, int32_t cumHigh,
                                         int32_t cumLow) {
    using namespace AriDetail;
    const uint32_t below = Scale(scaledRange, cumLow);
    const uint32_t upTo = Scale(scaledRange, cumHigh);
    const uint32_t low = state.Low + below;
    const uint32_t high = state.Low + upTo - 1;
    const int k1 = SettledBits(low, high);
    const uint32_t low1 = (low << k1) & Top;
    const uint32_t high1 = ((high << k1) & Top) | ((1u << k1) - 1);
    const int k3 = UnderflowBits(low1, high1);
    const int k = k1 + k3;
    state.Low = DropUnderflow(low1, k3, 0);
    state.Range = (upTo - below) << k;
    state.Offset = ((state.Offset - below) << k) + TakeBits(state.Pos, k);
}

// For the head model and the groups of up to eight symbols. The index is the smallest i >= 1 with
// Cum[i] <= target = ((Value - Low + 1) * total - 1) div range; Low <= Value <= High holds throughout,
// so target lies in 0..total-1. For integers the test is Cum[i] * range < (Value - Low + 1) * total,
// which needs no division: all candidates are tested at once, without a branch (entries past N + 1
// are 0 and never count).
template <int Candidates>
ARI_INLINE int TStrucAriDecoder::DecodeSmall(TGroupAriModel& model, TState& state) {
    const int32_t total = model.Cum[0];
    const uint32_t scaledValue = (state.Offset + 1) * static_cast<uint32_t>(total);
    const int i = 1 + AriDetail::CountAbove<1, Candidates>(model.Cum, state.Range, scaledValue);
    // The slot after the last symbol is never coded: only a corrupt stream lands there.
    if (i > model.N) throw ECorruptArchive("Corrupt block: undecodable symbol.");
    Narrow(state, AriDetail::ScaledRange(state.Range, total), model.Cum[i - 1], model.Cum[i]);
    const int symbol = model.IndexToSymbol[i];
    model.UpdateSmall(i);
    return symbol;
}

// For the groups of 16 symbols and more: the division, then a search that already counts the entries
// it passes when no halving is due.
ARI_INLINE int TStrucAriDecoder::DecodeLarge(TGroupAriModel& model, TState& state) {
    const int32_t total = model.Cum[0];
    const uint32_t scaledValue = (state.Offset + 1) * static_cast<uint32_t>(total);
    const auto target = static_cast<int32_t>((scaledValue - 1) / state.Range);
    const bool counted = total < model.Limit;
    const int i = counted ? model.FindIndexAndCount(target) : model.FindIndex(target);
    if (i > model.N) throw ECorruptArchive("Corrupt block: undecodable symbol.");
    const int32_t cumBefore = model.Cum[i - 1] - (counted ? model.Increment : 0);
    Narrow(state, AriDetail::ScaledRange(state.Range, total), cumBefore, model.Cum[i]);
    const int symbol = model.IndexToSymbol[i];
    if (counted)
        model.FinishCountedUpdate(i);
    else
        model.Update(i);
    return symbol;
}

ARI_INLINE int TStrucAriDecoder::DecodeSymbol(TState& state) {
    const int g = DecodeSmall<THeadAriModel::GroupCount>(Model.Head, state);
    if (g < 2) return g;
    TGroupAriModel& group = Model.Groups[g];
    switch (g) {
    case 2:
        return 2 + DecodeSmall<2>(group, state);
    case 3:
        return 4 + DecodeSmall<4>(group, state);
    case 4:
        return 8 + DecodeSmall<8>(group, state);
    default:
        return group.Lo + DecodeLarge(group, state);
    }
}
