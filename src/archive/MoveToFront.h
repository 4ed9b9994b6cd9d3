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
    // 16-byte register, blended so that the bytes past them stay, instead of calling memmove.
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
#endif
        std::memmove(List + 1, List, static_cast<size_t>(k));
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
        if (k == 1) {
            List[1] = List[0];
            List[0] = c;
        } else if (k != 0) {
            MoveToFront(c, k);
        }
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

// Reads symbols from next() up to EndOfBlockSymbol; hands each run of zero values to putRun(count)
// and each other value to put(value). Returns the number of values. More than maxValues values:
// ECorruptArchive, raised before anything past maxValues is handed on.
template <typename TNext, typename TPutRun, typename TPut>
int32_t ReadSymbols(TNext&& next, TPutRun&& putRun, TPut&& put, int32_t maxValues) {
    int32_t n = 0;
    int32_t run = 0;    // zeros of the run being read
    int32_t weight = 1; // weight of its next digit
    for (;;) {
        const int s = next();
        if (s <= RunDigitOne) {
            // A digit beyond the block size can only come from a corrupt stream; checking the weight
            // first also keeps the sum from overflowing.
            if (weight > maxValues) throw ECorruptArchive("Corrupt block: zero run too long.");
            run += (s + 1) * weight;
            weight <<= 1;
            if (run > maxValues - n) throw ECorruptArchive("Corrupt block: block too long.");
            continue;
        }
        if (run > 0) {
            putRun(run);
            n += run;
            run = 0;
            weight = 1;
        }
        if (s == EndOfBlockSymbol) return n;
        if (n == maxValues) throw ECorruptArchive("Corrupt block: block too long.");
        put(static_cast<uint8_t>(s - 1));
        ++n;
    }
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
