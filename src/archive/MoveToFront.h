#pragma once
// Move-to-front coding of the sorted column and the 258-symbol alphabet the arithmetic coder
// codes: zero runs as bijective base-2 digits (symbols 0 and 1), value v as symbol v + 1, and an
// end-of-block symbol.
#include "archive/ArchiveErrors.h"

#include <bit>
#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

// The symbol step of the block decoder belongs inside the decoder's loop; left to itself the compiler
// keeps it out of line.
#if defined(__GNUC__)
#define MTF_ALWAYS_INLINE __attribute__((always_inline))
#else
#define MTF_ALWAYS_INLINE
#endif

constexpr int RunDigitZero = 0;
constexpr int RunDigitOne = 1;
constexpr int EndOfBlockSymbol = 257;
constexpr int SymbolCount = 258;

class TMTFBase {
public:
    TMTFBase() { Reset(); }
    void Reset() {
        for (int i = 0; i < 256; ++i)
            List[i] = static_cast<uint8_t>(i);
    }

protected:
    // Positions 0..k-1 move up one, c goes to the front. Most moves are short: those stay in one
    // 16-byte register, blended so that the bytes past them stay (for k = 0 and 1 too), instead of
    // calling memmove.
    void MoveToFront(uint8_t c, int k) {
#if defined(__SSE2__)
        if (k < 16) {
            auto* p = reinterpret_cast<__m128i*>(List);
            const __m128i now = _mm_load_si128(p);
            const __m128i beyond = _mm_cmpgt_epi8(Positions(), _mm_set1_epi8(static_cast<char>(k)));
            _mm_store_si128(p, _mm_or_si128(_mm_and_si128(beyond, now),
                                            _mm_andnot_si128(beyond, _mm_slli_si128(now, 1))));
            List[0] = c;
            return;
        }
        std::memmove(List + 1, List, static_cast<size_t>(k));
        List[0] = c;
#else
        MoveToFrontPlain(c, k);
#endif
    }
    // The same, one position at a time, where there are no 16-byte registers.
    void MoveToFrontPlain(uint8_t c, int k) {
        for (int i = k; i > 0; --i)
            List[i] = List[i - 1];
        List[0] = c;
    }
#if defined(__SSE2__)
    static __m128i Positions() {
        return _mm_setr_epi8(0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15);
    }
#endif
    alignas(16) uint8_t List[256]; // position -> byte
};

class TMTFEncoder : public TMTFBase {
public:
    uint8_t Encode(uint8_t c) {
        if (List[0] == c) return 0;
        if (List[1] == c) { // the usual case after the front: a swap
            List[1] = List[0];
            List[0] = c;
            return 1;
        }
        int k;
#if defined(__SSE2__)
        const auto hits = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(
            _mm_load_si128(reinterpret_cast<const __m128i*>(List)), _mm_set1_epi8(static_cast<char>(c)))));
        if (hits != 0)
            k = std::countr_zero(hits);
        else
#endif
            k = static_cast<int>(static_cast<const uint8_t*>(std::memchr(List + 2, c, 254)) - List);
        MoveToFront(c, k);
        return static_cast<uint8_t>(k);
    }
    // In place: bytes become their values.
    void Encode(uint8_t* p, int32_t n) {
        for (int32_t i = 0; i < n; ++i)
            p[i] = Encode(p[i]);
    }
};

class TMTFDecoder : public TMTFBase {
public:
    uint8_t Front() const { return List[0]; }
    uint8_t Decode(uint8_t k) {
        const uint8_t c = List[k];
        MoveToFront(c, k);
        return c;
    }
    // In place: values become their bytes.
    void Decode(uint8_t* p, int32_t n) {
        for (int32_t i = 0; i < n; ++i)
            p[i] = Decode(p[i]);
    }
};

// Emits the symbols of n move-to-front values, ending with EndOfBlockSymbol.
template <typename TEmit>
void ValuesToSymbols(const uint8_t* values, int32_t n, TEmit&& emit) {
    int32_t i = 0;
    while (i < n) {
        if (values[i] != 0) {
            emit(values[i] + 1);
            ++i;
            continue;
        }
        int32_t run = 0;
        while (i < n && values[i] == 0) {
            ++run;
            ++i;
        }
        // run + 1 in base 2 without its leading 1, least significant digit first.
        for (uint32_t x = static_cast<uint32_t>(run) + 1; x > 1; x >>= 1)
            emit(static_cast<int>(x & 1u));
    }
    emit(EndOfBlockSymbol);
}

// Takes symbols one at a time up to EndOfBlockSymbol; hands each run of zero values to PutRun(count)
// and each other value to Put(value), and counts the values in N. More than MaxValues values:
// ECorruptArchive, raised before anything past MaxValues is handed on.
template <typename TPutRun, typename TPut>
struct TSymbolTaker {
    TPutRun PutRun;
    TPut Put;
    int32_t MaxValues;
    int32_t N = 0;
    int32_t Run = 0;    // zeros of the run being read
    int32_t Weight = 1; // weight of its next digit

    // False once the symbol was EndOfBlockSymbol.
    MTF_ALWAYS_INLINE bool operator()(int s) {
        if (s <= RunDigitOne) {
            // A digit beyond the block size can only come from a corrupt stream; checking the weight
            // first also keeps the sum from overflowing.
            if (Weight > MaxValues) throw ECorruptArchive("Corrupt block: zero run too long.");
            Run += (s + 1) * Weight;
            Weight <<= 1;
            if (Run > MaxValues - N) throw ECorruptArchive("Corrupt block: block too long.");
            return true;
        }
        if (Run > 0) {
            PutRun(Run);
            N += Run;
            Run = 0;
            Weight = 1;
        }
        if (s == EndOfBlockSymbol) return false;
        if (N == MaxValues) throw ECorruptArchive("Corrupt block: block too long.");
        Put(static_cast<uint8_t>(s - 1));
        ++N;
        return true;
    }
};

// Reads symbols from next() up to EndOfBlockSymbol through a TSymbolTaker; returns the number of values.
template <typename TNext, typename TPutRun, typename TPut>
int32_t ReadSymbols(TNext&& next, TPutRun&& putRun, TPut&& put, int32_t maxValues) {
    TSymbolTaker<TPutRun&, TPut&> taker{putRun, put, maxValues};
    while (taker(next())) {
    }
    return taker.N;
}

// The move-to-front values themselves, into values[0..].
template <typename TNext>
int32_t SymbolsToValues(TNext&& next, uint8_t* values, int32_t maxValues) {
    uint8_t* out = values;
    return ReadSymbols(
        next,
        [&out](int32_t run) {
            std::memset(out, 0, static_cast<size_t>(run));
            out += run;
        },
        [&out](uint8_t v) { *out++ = v; }, maxValues);
}

// The bytes the values stand for, decoded with mtf on the way, into bytes[0..].
template <typename TNext>
int32_t SymbolsToBytes(TNext&& next, TMTFDecoder& mtf, uint8_t* bytes, int32_t maxValues) {
    uint8_t* out = bytes;
    return ReadSymbols(
        next,
        [&out, &mtf](int32_t run) {
            std::memset(out, mtf.Front(), static_cast<size_t>(run));
            out += run;
        },
        [&out, &mtf](uint8_t v) { *out++ = mtf.Decode(v); }, maxValues);
}

// The same as SymbolsToBytes for a decoder that pushes its symbols (decoder.DecodeWhile(sink) calls
// sink(symbol) until it returns false), so that the whole block is one loop.
template <typename TDecoder>
int32_t DecodeToBytes(TDecoder& decoder, TMTFDecoder& mtf, uint8_t* bytes, int32_t maxValues) {
    uint8_t* out = bytes;
    uint8_t* const end = bytes + maxValues;
    auto putRun = [&out, &mtf, end](int32_t run) {
#if defined(__SSE2__)
        // Most runs are short: one 16-byte store covers them. The bytes it writes past the run lie
        // inside the block and are overwritten by what follows.
        if (run <= 16 && end - out >= 16) {
            _mm_storeu_si128(reinterpret_cast<__m128i*>(out), _mm_set1_epi8(static_cast<char>(mtf.Front())));
            out += run;
            return;
        }
#endif
        std::memset(out, mtf.Front(), static_cast<size_t>(run));
        out += run;
    };
    auto put = [&out, &mtf](uint8_t v) { *out++ = mtf.Decode(v); };
    TSymbolTaker<decltype(putRun)&, decltype(put)&> taker{putRun, put, maxValues};
    decoder.DecodeWhile(taker);
    return taker.N;
}
