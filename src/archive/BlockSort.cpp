#include "archive/BlockSort.h"

#include <algorithm>
#include <bit>
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

namespace {

// The inverse walk follows one row to the next, each step a cache miss on a table of n + 1 entries;
// a single walk waits on every one. So the walk is cut into segments that start at anchor rows (every
// 2^k-th row, and the primary row), and several segments are walked at once to keep many misses in
// flight. A first pass learns each segment's length and which anchor follows it; chaining
// them from the primary row gives each segment's place in the block; a second pass writes the bytes.
constexpr int Walkers = 16;
constexpr int MaxAnchors = 260;
constexpr int32_t NoAnchor = -1;

struct TSegments {
    int32_t Count = 0;          // anchors
    uint32_t Row[MaxAnchors];   // their rows
    int32_t Length[MaxAnchors]; // bytes up to the next anchor
    int32_t Next[MaxAnchors];   // that anchor, or NoAnchor at the end of the block
    int32_t Place[MaxAnchors];  // first byte in the block, or NoAnchor when not reached
};

// Runs every segment with up to Walkers of them in flight: start(w, s) puts walker w on segment s,
// step(w) advances it one row and tells whether its segment ended.
template <typename TStart, typename TStep>
void WalkSegments(int32_t segments, TStart&& start, TStep&& step) {
    int active[Walkers];
    int running = 0, nextSegment = 0;
    while (running < Walkers && nextSegment < segments) {
        start(running, nextSegment++);
        active[running] = running;
        ++running;
    }
    while (running > 0) {
        for (int k = 0; k < running;) {
            const int w = active[k];
            if (!step(w)) {
                ++k;
            } else if (nextSegment < segments) {
                start(w, nextSegment++);
                ++k;
            } else {
                active[k] = active[--running];
            }
        }
    }
}

} // namespace

void InverseTransform(const uint8_t* column, int32_t n, TBwtIndexes indexes, uint32_t* forward,
                      uint8_t* block) {
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
    // Row r's byte is L[r]: the column with the marker (stored as 0) inserted at row a. The row of the
    // k-th occurrence of byte c in the sorted first column is followed by the row holding c's k-th
    // occurrence in L: the suffix one position later. Each entry packs that next row (high bits; rows
    // fit in 19) with the row's own byte, so that each step of a walk is one memory access.
    for (int32_t r = 0; r < a; ++r)
        forward[r] = column[r];
    forward[a] = 0;
    for (int32_t r = a; r < n; ++r)
        forward[r + 1] = column[r];
    for (int32_t r = 0; r < a; ++r)
        forward[first[column[r]]++] |= static_cast<uint32_t>(r) << 8;
    forward[0] |= static_cast<uint32_t>(a) << 8;
    for (int32_t r = a + 1; r <= n; ++r)
        forward[first[column[r - 1]]++] |= static_cast<uint32_t>(r) << 8;

    // Anchors: every row that is a multiple of the step (the marker's row a aside, which ends the
    // block), and the primary row p, where the block begins. The step is at least 2^11 and leaves at
    // most 257 multiples.
    const int shift = std::max(11, static_cast<int>(std::bit_width(static_cast<uint32_t>(n))) - 8);
    const uint32_t stepMask = (1u << shift) - 1;
    const auto p = static_cast<uint32_t>(indexes.Primary);
    TSegments seg;
    for (uint32_t r = 0; r <= static_cast<uint32_t>(n); r += stepMask + 1)
        if (r != static_cast<uint32_t>(a)) seg.Row[seg.Count++] = r;
    int32_t start = NoAnchor; // segment of p
    if ((p & stepMask) == 0 && p != static_cast<uint32_t>(a)) {
        start = static_cast<int32_t>(std::find(seg.Row, seg.Row + seg.Count, p) - seg.Row);
    } else if (p != static_cast<uint32_t>(a)) {
        start = seg.Count;
        seg.Row[seg.Count++] = p;
    }
    // The anchor index of a multiple of the step: skipping a shifts the ones after it.
    const uint32_t aSkipped =
        (static_cast<uint32_t>(a) & stepMask) == 0 ? static_cast<uint32_t>(a) >> shift : ~0u;
    auto anchorOf = [&](uint32_t row) {
        const uint32_t k = row >> shift;
        return static_cast<int32_t>(k > aSkipped ? k - 1 : k);
    };

    // Pass 1: lengths and successors.
    uint32_t row[Walkers];
    int32_t segOf[Walkers], length[Walkers];
    WalkSegments(
        seg.Count,
        [&](int w, int32_t s) {
            row[w] = seg.Row[s];
            segOf[w] = s;
            length[w] = 0;
        },
        [&](int w) {
            const uint32_t next = forward[row[w]] >> 8;
            ++length[w];
            // A walk from p on a damaged block may circle without meeting an anchor: the length bound
            // ends it.
            const bool ends = next == static_cast<uint32_t>(a) || length[w] > n;
            if ((next & stepMask) != 0 && !ends) {
                row[w] = next;
                return false;
            }
            seg.Length[segOf[w]] = length[w];
            seg.Next[segOf[w]] = ends ? NoAnchor : anchorOf(next);
            return true;
        });

    // Places, from the start of the block on. A damaged column or wrong indexes may leave segments
    // unplaced or lengths that do not add up; the bytes are then wrong (the CRC-32 will tell) but
    // always written inside the block.
    std::fill(seg.Place, seg.Place + seg.Count, NoAnchor);
    int32_t at = 0;
    for (int32_t s = start, k = 0; s != NoAnchor && k < seg.Count && seg.Place[s] == NoAnchor;
         s = seg.Next[s], ++k) {
        if (seg.Length[s] > n - at) break;
        seg.Place[s] = at;
        at += seg.Length[s];
    }
    if (at != n) std::memset(block, 0, static_cast<size_t>(n)); // no bytes of an earlier block show through

    // Pass 2: the bytes of every placed segment.
    int32_t left[Walkers];
    uint8_t* out[Walkers];
    WalkSegments(
        seg.Count,
        [&](int w, int32_t s) {
            row[w] = seg.Row[s];
            out[w] = block + (seg.Place[s] == NoAnchor ? 0 : seg.Place[s]);
            left[w] = seg.Place[s] == NoAnchor ? 0 : seg.Length[s];
        },
        [&](int w) {
            if (left[w] == 0) return true;
            const uint32_t e = forward[row[w]];
            *out[w]++ = static_cast<uint8_t>(e);
            row[w] = e >> 8;
            return --left[w] == 0;
        });
}
