#pragma once
// The block-sorting transform: the suffixes of a block followed by an end-of-text marker ($, below
// every byte) are sorted; the sorted column is the byte before each suffix, skipping the row whose
// suffix is the whole block. The primary index is the row of the suffix starting at 1, the sentinel
// index the row holding $.
#include <cstdint>

struct TBwtIndexes {
    int32_t Primary = 0;
    int32_t Sentinel = 0;
};

// Linear-time suffix sorting by induced sorting, so that no block shape (one repeated byte, a short
// repeated pattern) can make it slow. All storage comes from the caller.
class TFastSorter {
public:
    // Sorts the suffixes of s[0..n-1] (n >= 1; the marker is implied, not stored) into sa[0..n-1].
    // work needs max(512, n) entries and types n bytes; both are scratch.
    static void Sort(const uint8_t* s, int32_t n, int32_t* sa, int32_t* work, uint8_t* types);
};

// block[0..n-1] -> column[0..n-1]. sa needs n + 1 entries, work max(512, n). column doubles as the
// sorter's scratch, so it must not overlap block.
TBwtIndexes ForwardTransform(const uint8_t* block, int32_t n, uint8_t* column, int32_t* sa, int32_t* work);

// column[0..n-1] (n >= 1) with its indexes -> block[0..n-1]. links needs n + 1 entries. The indexes must
// lie in 0..n (the caller checks them); wrong but in-range values give wrong bytes, never a wild access.
// The block is the bytes of n steps from the primary row, the marker's row giving a 0, whatever the
// column holds.
void InverseTransform(const uint8_t* column, int32_t n, TBwtIndexes indexes, uint32_t* links, uint8_t* block);
// The same as one walk from the primary row, step after step: the reference the fast walk is held against.
void InverseTransformPlain(const uint8_t* column, int32_t n, TBwtIndexes indexes, uint32_t* links,
                           uint8_t* block);
