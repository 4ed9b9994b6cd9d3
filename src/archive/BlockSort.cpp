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

// Each row's entry packs the row that follows it (bits 8..30) with the row's own byte (bits 0..7), so
// that a step of a walk is one memory access; bit 31 marks the entries whose next row is a stop.
constexpr uint32_t StopMark = 0x80000000u;
constexpr int RowShift = 8;
constexpr uint32_t RowMask = 0x7FFFFFu;

struct TColumnCounts {
    int32_t Count[256];
    int32_t First[256]; // first row of each byte value in the sorted first column; row 0 is the marker's
};

TColumnCounts CountColumn(const uint8_t* column, int32_t n) {
    // Four tallies, so that a run of one byte does not wait on its own count.
    int32_t tally[4][256] = {};
    int32_t i = 0;
    for (; i + 4 <= n; i += 4) {
        ++tally[0][column[i]];
        ++tally[1][column[i + 1]];
        ++tally[2][column[i + 2]];
        ++tally[3][column[i + 3]];
    }
    for (; i < n; ++i)
        ++tally[0][column[i]];
    TColumnCounts c;
    int32_t sum = 1;
    for (int b = 0; b < 256; ++b) {
        c.Count[b] = tally[0][b] + tally[1][b] + tally[2][b] + tally[3][b];
        c.First[b] = sum;
        sum += c.Count[b];
    }
    return c;
}

// Row r's byte is L[r]: the column with the marker inserted at row a. The row of the k-th occurrence of
// byte c in the sorted first column is followed by the row holding c's k-th occurrence in L: the
// suffix one position later. Rows are linked in order, and the ones in stops (sorted, a among them)
// mark the entry that leads to them.
void BuildLinks(const uint8_t* column, int32_t n, int32_t a, const TColumnCounts& counts, uint32_t* forward,
                const uint32_t* stops, int stopCount) {
    int32_t first[256];
    std::copy(counts.First, counts.First + 256, first);
    // Each entry is written once, whole: the next row, and the row's own byte taken from the column
    // (the marker's row takes a stray byte here and gets its 0 below).
    auto link = [&](int32_t at, int32_t r, uint32_t mark) {
        forward[at] = static_cast<uint32_t>(r) << RowShift | column[std::min(at - (at > a), n - 1)] | mark;
    };
    auto linkRows = [&](int32_t from, int32_t to) { // [from, to), a not among them
        int32_t r = from;
        for (const int32_t below = std::min(to, a); r < below; ++r)
            link(first[column[r]]++, r, 0);
        for (r = std::max(r, a + 1); r < to; ++r)
            link(first[column[r - 1]]++, r, 0);
    };
    int32_t r = 0;
    for (int k = 0; k < stopCount; ++k) {
        const auto stop = static_cast<int32_t>(stops[k]);
        linkRows(r, stop);
        if (stop == a)
            link(0, a, StopMark);
        else
            link(first[column[stop - (stop > a)]]++, stop, StopMark);
        r = stop + 1;
    }
    linkRows(r, n + 1);
    forward[a] &= ~0xFFu;
}

} // namespace

void InverseTransformPlain(const uint8_t* column, int32_t n, TBwtIndexes indexes, uint32_t* forward,
                           uint8_t* block) {
    const auto a = static_cast<uint32_t>(indexes.Sentinel);
    BuildLinks(column, n, indexes.Sentinel, CountColumn(column, n), forward, &a, 1);
    // n steps from the primary row. On a damaged block the walk may pass the marker's row (its byte is
    // 0) or circle; it still takes exactly n steps.
    uint32_t row = static_cast<uint32_t>(indexes.Primary);
    for (int32_t i = 0; i < n; ++i) {
        const uint32_t e = forward[row];
        block[i] = static_cast<uint8_t>(e);
        row = (e >> RowShift) & RowMask;
    }
}

namespace {

// The walk follows one row to the next, each step a cache miss on a table of n + 1 entries; a single
// walk waits on every one. So the walk is cut into segments that start at stop rows (every 2^k-th row,
// the primary row and the marker's row) and end before the next stop, and several segments are walked
// at once to keep many misses in flight. Each walker writes its bytes on into chunks of a pool as they
// come; chaining the segments from the primary row afterwards gives the block, segment after segment.
// The result is the plain walk's for any column and indexes, damaged ones too.
constexpr int Walkers = 16;
constexpr int MaxStops = 260;
constexpr int ChunkShift = 9;
constexpr int32_t ChunkBytes = 1 << ChunkShift;
// Below this the table is small enough for a single walk, and the pool would not fit in it (below).
constexpr int32_t MinParallelLength = 1 << 16;
constexpr int32_t MaxParallelLength = 1 << 19;
// Each walker leaves at most its last chunk part-filled, and the walks take at most n + 1 bytes.
constexpr int32_t SpareChunks = Walkers + 2;
constexpr int32_t MaxChunks = MaxParallelLength / ChunkBytes + SpareChunks;
constexpr int32_t NoChunk = -1;

struct TSegments {
    int32_t Count = 0;
    uint32_t Row[MaxStops];  // where each starts
    int32_t Chunk[MaxStops]; // its first byte in the pool: chunk and offset in it
    int32_t Offset[MaxStops];
    int32_t Length[MaxStops]; // bytes up to the next stop
    int32_t Next[MaxStops];   // the segment of that stop
};

struct TWalker {
    uint32_t Row;
    uint8_t* Out; // next byte in the current chunk
    uint8_t* ChunkEnd;
    int32_t Chunk; // the current chunk
    int32_t Segment;
    int32_t Written; // bytes of the segment in the chunks before the current one, less its offset
};

// A column of one byte value x: the rows after the marker's lead to themselves, the ones below it
// count down to row 0, and row 0 leads to the marker's row, which leads down again. A walk from p <= a
// meets the marker's row (its byte 0) every a + 1 steps: first at once when it starts there, else after
// counting down from p.
void InverseOfOneByte(uint8_t x, int32_t n, TBwtIndexes indexes, uint8_t* block) {
    std::memset(block, x, static_cast<size_t>(n));
    const int64_t a = indexes.Sentinel, p = indexes.Primary;
    if (p > a) return;
    for (int64_t i = p == a ? 0 : p + 1; i < n; i += a + 1)
        block[i] = 0;
}

} // namespace

void InverseTransform(const uint8_t* column, int32_t n, TBwtIndexes indexes, uint32_t* forward,
                      uint8_t* block) {
    const TColumnCounts counts = CountColumn(column, n);
    if (counts.Count[column[0]] == n) {
        InverseOfOneByte(column[0], n, indexes, block);
        return;
    }
    if (n < MinParallelLength || n > MaxParallelLength) {
        InverseTransformPlain(column, n, indexes, forward, block);
        return;
    }

    // Stops: every multiple of the step (at least 2^11, so that there are at most 257 of them), then p
    // and a unless they are multiples already.
    const int shift = std::max(11, static_cast<int>(std::bit_width(static_cast<uint32_t>(n))) - 8);
    const uint32_t stepMask = (1u << shift) - 1;
    const auto p = static_cast<uint32_t>(indexes.Primary);
    const auto a = static_cast<uint32_t>(indexes.Sentinel);
    TSegments seg;
    for (uint32_t r = 0; r <= static_cast<uint32_t>(n); r += stepMask + 1)
        seg.Row[seg.Count++] = r;
    const int32_t multiples = seg.Count;
    if ((p & stepMask) != 0) seg.Row[seg.Count++] = p;
    if ((a & stepMask) != 0 && a != p) seg.Row[seg.Count++] = a;
    auto segmentOf = [&](uint32_t row) {
        if ((row & stepMask) == 0) return static_cast<int32_t>(row >> shift);
        return row == p ? multiples : seg.Count - 1;
    };
    uint32_t stops[MaxStops];
    std::copy(seg.Row, seg.Row + seg.Count, stops);
    std::sort(stops, stops + seg.Count);
    BuildLinks(column, n, static_cast<int32_t>(a), counts, forward, stops, seg.Count);

    // The pool: the block's own bytes as whole chunks, then spare chunks here.
    const int32_t blockChunks = n >> ChunkShift;
    alignas(16) uint8_t spare[SpareChunks * ChunkBytes];
    int32_t nextChunk[MaxChunks];
    int32_t chunksUsed = 0;
    auto newChunk = [&](TWalker& w) {
        const int32_t k = chunksUsed++;
        nextChunk[k] = NoChunk;
        if (w.Chunk != NoChunk) nextChunk[w.Chunk] = k;
        w.Chunk = k;
        w.Out = k < blockChunks ? block + (k << ChunkShift) : spare + ((k - blockChunks) << ChunkShift);
        w.ChunkEnd = w.Out + ChunkBytes;
    };
    auto startSegment = [&](TWalker& w, int32_t s) {
        w.Row = seg.Row[s];
        w.Segment = s;
        seg.Chunk[s] = w.Chunk;
        seg.Offset[s] = static_cast<int32_t>(w.Out - (w.ChunkEnd - ChunkBytes));
        w.Written = -seg.Offset[s];
    };

    // Every walk ends at a stop: the one it started from lies on its cycle.
    TWalker walkers[Walkers];
    int running = 0, nextSegment = 0;
    while (running < Walkers && nextSegment < seg.Count) {
        TWalker& w = walkers[running++];
        w.Chunk = NoChunk;
        newChunk(w);
        startSegment(w, nextSegment++);
    }
    while (running > 0) {
        for (int k = 0; k < running;) {
            TWalker& w = walkers[k];
            const uint32_t e = forward[w.Row];
            *w.Out++ = static_cast<uint8_t>(e);
            w.Row = (e >> RowShift) & RowMask;
            if ((e & StopMark) == 0 && w.Out != w.ChunkEnd) {
                ++k;
                continue;
            }
            if (w.Out == w.ChunkEnd) {
                w.Written += ChunkBytes;
                newChunk(w);
            }
            if ((e & StopMark) == 0) {
                ++k;
                continue;
            }
            const int32_t s = w.Segment;
            seg.Length[s] = w.Written + static_cast<int32_t>(w.Out - (w.ChunkEnd - ChunkBytes));
            seg.Next[s] = segmentOf(w.Row);
            if (nextSegment < seg.Count) {
                startSegment(w, nextSegment++);
                ++k;
            } else {
                w = walkers[--running];
            }
        }
    }

    // The pool moves to the link table, no longer needed and at least four times the block's size, so
    // that the block can take the segments in order. On a damaged block the chain may pass the same
    // segment more than once; every segment has at least one byte, so it ends.
    auto* pool = reinterpret_cast<uint8_t*>(forward);
    const int32_t poolBlockChunks = std::min(chunksUsed, blockChunks);
    std::memcpy(pool, block, static_cast<size_t>(poolBlockChunks) << ChunkShift);
    std::memcpy(pool + (static_cast<size_t>(poolBlockChunks) << ChunkShift), spare,
                static_cast<size_t>(chunksUsed - poolBlockChunks) << ChunkShift);
    int32_t at = 0;
    for (int32_t s = segmentOf(p); at < n; s = seg.Next[s]) {
        int32_t chunk = seg.Chunk[s], offset = seg.Offset[s], left = std::min(seg.Length[s], n - at);
        while (left > 0) {
            const int32_t take = std::min(left, ChunkBytes - offset);
            std::memcpy(block + at, pool + (static_cast<size_t>(chunk) << ChunkShift) + offset,
                        static_cast<size_t>(take));
            at += take;
            left -= take;
            chunk = nextChunk[chunk];
            offset = 0;
        }
    }
}
