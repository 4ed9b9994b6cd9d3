#include "archive/BlockSort.h"

#include <algorithm>
#include <cstring>

namespace {

// Suffix types: S when the suffix is smaller than the one after it, L when larger. A leftmost S
// (LMS) position is an S position preceded by an L position; the implied marker counts as one.
constexpr uint8_t TypeL = 0;
constexpr uint8_t TypeS = 1;

inline bool IsLms(const uint8_t* types, int32_t i) {
    return i > 0 && types[i] == TypeS && types[i - 1] == TypeL;
}

template <typename TChar>
void ComputeTypes(const TChar* t, int32_t n, uint8_t* types) {
    // Without branches: the outcome is as unpredictable as the text.
    uint8_t next = TypeL; // anything is larger than the marker after it
    types[n - 1] = next;
    for (int32_t i = n - 2; i >= 0; --i) {
        next = static_cast<uint8_t>((t[i] < t[i + 1]) | ((t[i] == t[i + 1]) & next));
        types[i] = next;
    }
}

template <typename TChar>
void CountChars(const TChar* t, int32_t n, int32_t k, int32_t* count) {
    std::fill(count, count + k, 0);
    for (int32_t i = 0; i < n; ++i)
        ++count[t[i]];
}

void BucketStarts(const int32_t* count, int32_t k, int32_t* head) {
    int32_t sum = 0;
    for (int32_t c = 0; c < k; ++c) {
        head[c] = sum;
        sum += count[c];
    }
}

void BucketEnds(const int32_t* count, int32_t k, int32_t* head) {
    int32_t sum = 0;
    for (int32_t c = 0; c < k; ++c) {
        sum += count[c];
        head[c] = sum;
    }
}

constexpr int32_t Empty = -1;

// From the placed LMS suffixes, place every L suffix in order (left to right), then every S suffix
// (right to left).
template <typename TChar>
void Induce(const TChar* t, int32_t n, int32_t k, int32_t* sa, const int32_t* count, int32_t* head,
            const uint8_t* types) {
    BucketStarts(count, k, head);
    // The marker, which sorts first, induces the last suffix.
    sa[head[t[n - 1]]++] = n - 1;
    for (int32_t i = 0; i < n; ++i) {
        const int32_t j = sa[i] - 1;
        if (j >= 0 && types[j] == TypeL) sa[head[t[j]]++] = j;
    }
    BucketEnds(count, k, head);
    for (int32_t i = n - 1; i >= 0; --i) {
        const int32_t j = sa[i] - 1;
        if (j >= 0 && types[j] == TypeS) sa[--head[t[j]]] = j;
    }
}

// Whether the LMS substrings (up to and including the next LMS position) at a and b are equal.
template <typename TChar>
bool EqualLmsSubstrings(const TChar* t, int32_t n, const uint8_t* types, int32_t a, int32_t b) {
    for (int32_t d = 0;; ++d) {
        if (a + d == n || b + d == n) return false; // the marker occurs once only
        if (t[a + d] != t[b + d] || types[a + d] != types[b + d]) return false;
        if (d > 0 && IsLms(types, a + d)) return true; // then b + d is one too: same types so far
    }
}

// Suffix array of t[0..n-1] over the alphabet 0..k-1 with an implied smallest marker at n.
// work holds 2k entries (counts, bucket heads); types n bytes. Both are reused by the recursion,
// so each level recomputes its own after the recursive call.
template <typename TChar>
void InducedSort(const TChar* t, int32_t n, int32_t k, int32_t* sa, int32_t* work, uint8_t* types) {
    int32_t* count = work;
    int32_t* head = work + k;

    ComputeTypes(t, n, types);
    CountChars(t, n, k, count);

    // Stage 1: sort the LMS substrings by inducing from the LMS positions in any order.
    std::fill(sa, sa + n, Empty);
    BucketEnds(count, k, head);
    for (int32_t i = 1; i < n; ++i)
        if (IsLms(types, i)) sa[--head[t[i]]] = i;
    Induce(t, n, k, sa, count, head, types);

    // Gather the sorted LMS positions at the front. There are at most n / 2 of them.
    int32_t m = 0;
    for (int32_t i = 0; i < n; ++i)
        if (IsLms(types, sa[i])) sa[m++] = sa[i];
    // Without LMS positions (a falling or constant text) there was nothing to order: stage 1 sorted all.
    if (m == 0) return;

    // Name them: equal substrings get equal names. LMS positions are at least two apart, so pos / 2
    // gives each its own slot behind the first m entries.
    std::fill(sa + m, sa + n, Empty);
    int32_t names = 0;
    int32_t previous = -1;
    for (int32_t i = 0; i < m; ++i) {
        const int32_t pos = sa[i];
        if (previous < 0 || !EqualLmsSubstrings(t, n, types, pos, previous)) ++names;
        previous = pos;
        sa[m + pos / 2] = names - 1;
    }
    // The reduced string, in text order, goes to the last m entries.
    int32_t* reduced = sa + n - m;
    for (int32_t i = n - 1, j = n - 1; i >= m; --i)
        if (sa[i] != Empty) sa[j--] = sa[i];

    // Stage 2: order the LMS suffixes, by recursion when two LMS substrings share a name.
    if (names < m) {
        InducedSort<int32_t>(reduced, m, names, sa, work, types);
        ComputeTypes(t, n, types);
        CountChars(t, n, k, count);
    } else {
        for (int32_t i = 0; i < m; ++i)
            sa[reduced[i]] = i;
    }
    // The LMS positions in text order, over the names; written without a branch, stopping at the last.
    for (int32_t i = 1, j = 0; j < m; ++i) {
        reduced[j] = i;
        j += types[i] & (types[i - 1] ^ 1);
    }
    for (int32_t i = 0; i < m; ++i)
        sa[i] = reduced[sa[i]];

    // Stage 3: place the sorted LMS suffixes at their bucket ends and induce the rest. Walking from the
    // largest down, each one lands at or after its current slot.
    std::fill(sa + m, sa + n, Empty);
    BucketEnds(count, k, head);
    for (int32_t i = m - 1; i >= 0; --i) {
        const int32_t pos = sa[i];
        sa[i] = Empty;
        sa[--head[t[pos]]] = pos;
    }
    Induce(t, n, k, sa, count, head, types);
}

} // namespace

void TFastSorter::Sort(const uint8_t* s, int32_t n, int32_t* sa, int32_t* work, uint8_t* types) {
    InducedSort<uint8_t>(s, n, 256, sa, work, types);
}

TBwtIndexes ForwardTransform(const uint8_t* block, int32_t n, uint8_t* column, int32_t* sa, int32_t* work) {
    // Row 0 is the marker alone.
    sa[0] = n;
    TFastSorter::Sort(block, n, sa + 1, work, column);

    TBwtIndexes indexes;
    int32_t out = 0;
    for (int32_t j = 0; j <= n; ++j) {
        const int32_t pos = sa[j];
        if (pos == 0) {
            indexes.Sentinel = out;
            continue;
        }
        if (pos == 1) indexes.Primary = j;
        column[out++] = block[pos - 1];
    }
    return indexes;
}

void InverseTransform(const uint8_t* column, int32_t n, TBwtIndexes indexes, uint32_t* forward,
                      uint32_t* backward, uint8_t* block) {
    const int32_t a = indexes.Sentinel;
    int32_t count[256] = {};
    for (int32_t i = 0; i < n; ++i)
        ++count[column[i]];
    // A column of one byte value can only come from a block of that byte alone.
    if (count[column[0]] == n) {
        std::memset(block, column[0], static_cast<size_t>(n));
        return;
    }
    // First row of each byte value in the sorted first column; row 0 belongs to the marker.
    int32_t first[256];
    int32_t sum = 1;
    for (int c = 0; c < 256; ++c) {
        first[c] = sum;
        sum += count[c];
    }
    // Row r's byte is L[r]: the column with the marker (stored as 0) inserted at row a. Row r holds
    // the k-th occurrence of its byte c, and the row of c's k-th occurrence in the first column, f, is
    // the row of the suffix one position earlier: going r -> f walks the block backwards, f -> r
    // forwards. Each entry packs the next row (high bits; rows fit in 19) with the row's own byte, so
    // that each step of the walks below is one memory access.
    for (int32_t r = 0; r < a; ++r)
        forward[r] = column[r];
    forward[a] = 0;
    for (int32_t r = a; r < n; ++r)
        forward[r + 1] = column[r];
    for (int32_t r = 0; r < a; ++r) {
        const uint8_t c = column[r];
        const auto f = static_cast<uint32_t>(first[c]++);
        forward[f] |= static_cast<uint32_t>(r) << 8;
        backward[r] = f << 8 | c;
    }
    forward[0] |= static_cast<uint32_t>(a) << 8;
    backward[a] = 0;
    for (int32_t r = a + 1; r <= n; ++r) {
        const uint8_t c = column[r - 1];
        const auto f = static_cast<uint32_t>(first[c]++);
        forward[f] |= static_cast<uint32_t>(r) << 8;
        backward[r] = f << 8 | c;
    }

    // Two independent walks, so that their cache misses overlap: forwards from the primary row (the
    // suffix at 1, whose preceding byte is the first) and backwards from row 0 (the marker alone, whose
    // preceding byte is the last).
    const int32_t half = n / 2;
    uint32_t rf = static_cast<uint32_t>(indexes.Primary), rb = 0;
    for (int32_t k = 0; k < half; ++k) {
        const uint32_t ef = forward[rf], eb = backward[rb];
        block[k] = static_cast<uint8_t>(ef);
        block[n - 1 - k] = static_cast<uint8_t>(eb);
        rf = ef >> 8;
        rb = eb >> 8;
    }
    if (n - half > half) block[half] = static_cast<uint8_t>(backward[rb]);
}
