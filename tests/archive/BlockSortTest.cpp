// The block-sorting transform against a direct suffix sort, and the sorter on large repetitive blocks.
#include "CodecTestSupport.h"

#include "archive/BlockSort.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <numeric>
#include <random>

using namespace CodecTest;

namespace {

struct TShape {
    const char* Name;
    std::function<std::vector<uint8_t>(size_t n)> Make;
};

std::vector<uint8_t> Fibonacci(size_t n) { // "abaababaabaab...": deeply nested repeats
    std::string a = "a", b = "ab";
    while (b.size() < n) {
        std::string c = b + a;
        a = std::move(b);
        b = std::move(c);
    }
    return {b.begin(), b.begin() + static_cast<std::ptrdiff_t>(n)};
}

std::vector<uint8_t> Periodic(size_t n, const std::string& unit) {
    std::vector<uint8_t> v(n);
    for (size_t i = 0; i < n; ++i)
        v[i] = static_cast<uint8_t>(unit[i % unit.size()]);
    return v;
}

const std::vector<TShape>& Shapes() {
    static const std::vector<TShape> shapes = {
        {"random bytes", [](size_t n) { return RandomBytes(n, 1); }},
        {"random over two letters", [](size_t n) { return RandomBytes(n, 2, 2); }},
        {"random over four letters", [](size_t n) { return RandomBytes(n, 3, 4); }},
        {"one byte repeated", [](size_t n) { return std::vector<uint8_t>(n, 0xFF); }},
        {"zero bytes", [](size_t n) { return std::vector<uint8_t>(n, 0); }},
        {"alternating", [](size_t n) { return Periodic(n, "ab"); }},
        {"period seven", [](size_t n) { return Periodic(n, "quillon"); }},
        {"Fibonacci word", Fibonacci},
        {"falling then rising",
         [](size_t n) {
             std::vector<uint8_t> v(n);
             for (size_t i = 0; i < n; ++i)
                 v[i] = static_cast<uint8_t>(i < n / 2 ? 255 - i % 256 : i % 256);
             return v;
         }},
    };
    return shapes;
}

// The transform straight from its definition: sort all suffixes with the marker below every byte.
TBwtIndexes DirectTransform(const std::vector<uint8_t>& s, std::vector<uint8_t>& column) {
    const size_t n = s.size();
    std::vector<size_t> sa(n + 1);
    std::iota(sa.begin(), sa.end(), 0);
    std::sort(sa.begin(), sa.end(), [&](size_t a, size_t b) {
        return std::lexicographical_compare(s.begin() + static_cast<std::ptrdiff_t>(a), s.end(),
                                            s.begin() + static_cast<std::ptrdiff_t>(b), s.end());
    });
    TBwtIndexes ix;
    column.clear();
    for (size_t j = 0; j <= n; ++j) {
        if (sa[j] == 1) ix.Primary = static_cast<int32_t>(j);
        if (sa[j] == 0)
            ix.Sentinel = static_cast<int32_t>(column.size());
        else
            column.push_back(s[sa[j] - 1]);
    }
    return ix;
}

struct TTransformed {
    std::vector<uint8_t> Column;
    TBwtIndexes Indexes;
    std::vector<int32_t> SuffixArray; // rows 0..n
};

TTransformed Forward(const std::vector<uint8_t>& s) {
    TTransformed t;
    t.Column.resize(s.size());
    t.SuffixArray.resize(s.size() + 1);
    std::vector<int32_t> work(std::max<size_t>(512, s.size()));
    t.Indexes = ForwardTransform(s.data(), static_cast<int32_t>(s.size()), t.Column.data(),
                                 t.SuffixArray.data(), work.data());
    return t;
}

std::vector<uint8_t> Inverse(const TTransformed& t) {
    std::vector<uint8_t> back(t.Column.size());
    std::vector<uint32_t> links(t.Column.size() + 1);
    InverseTransform(t.Column.data(), static_cast<int32_t>(t.Column.size()), t.Indexes, links.data(),
                     back.data());
    return back;
}

TEST(BlockSortTest, MatchesTheDirectSuffixSortAndInverts) {
    for (const TShape& shape : Shapes())
        for (size_t n : {1, 2, 3, 5, 17, 100, 1000, 2500}) {
            SCOPED_TRACE(std::string(shape.Name) + ", " + std::to_string(n) + " bytes");
            const std::vector<uint8_t> block = shape.Make(n);
            std::vector<uint8_t> column;
            const TBwtIndexes expected = DirectTransform(block, column);
            const TTransformed t = Forward(block);
            ASSERT_EQ(t.Column, column);
            ASSERT_EQ(t.Indexes.Primary, expected.Primary);
            ASSERT_EQ(t.Indexes.Sentinel, expected.Sentinel);
            ASSERT_EQ(Inverse(t), block);
        }
}

// Full blocks are too big for the direct sort; check the suffix order instead, in linear time: neighbours
// must be ordered by their first byte and, on a tie, by the rows of the suffixes one position later.
TEST(BlockSortTest, FullBlocksOfEveryShapeAreSortedAndInvert) {
    const size_t n = 409600;
    for (const TShape& shape : Shapes()) {
        SCOPED_TRACE(shape.Name);
        const std::vector<uint8_t> block = shape.Make(n);
        const TTransformed t = Forward(block);
        const std::vector<int32_t>& sa = t.SuffixArray;
        ASSERT_EQ(sa[0], static_cast<int32_t>(n));
        std::vector<int32_t> row(n + 1, -1);
        for (size_t j = 0; j <= n; ++j) {
            ASSERT_TRUE(sa[j] >= 0 && sa[j] <= static_cast<int32_t>(n) &&
                        row[static_cast<size_t>(sa[j])] < 0);
            row[static_cast<size_t>(sa[j])] = static_cast<int32_t>(j);
        }
        for (size_t j = 1; j < n; ++j) {
            const auto a = static_cast<size_t>(sa[j]), b = static_cast<size_t>(sa[j + 1]);
            ASSERT_TRUE(block[a] < block[b] || (block[a] == block[b] && row[a + 1] < row[b + 1]))
                << "row " << j;
        }
        ASSERT_EQ(Inverse(t), block);
    }
}

// Wrong indexes (which a damaged header can carry) must give wrong bytes, and only that: no hang on
// a walk that never meets a known row, no write outside the block.
TEST(BlockSortTest, WrongIndexesGiveWrongBytes) {
    const std::vector<uint8_t> block = RandomBytes(300, 9, 3);
    TTransformed t = Forward(block);
    const TBwtIndexes right = t.Indexes;
    for (int32_t a : {0, 1, 150, right.Sentinel, 299, 300})
        for (int32_t p = 0; p <= 300; ++p) {
            if (p == a) continue;
            t.Indexes = {p, a};
            EXPECT_EQ(Inverse(t) == block, p == right.Primary && a == right.Sentinel)
                << "p " << p << " a " << a;
        }
}

std::vector<uint8_t> InversePlain(const std::vector<uint8_t>& column, TBwtIndexes indexes) {
    std::vector<uint8_t> back(column.size());
    std::vector<uint32_t> links(column.size() + 1);
    InverseTransformPlain(column.data(), static_cast<int32_t>(column.size()), indexes, links.data(),
                          back.data());
    return back;
}

// The fast inverse walks many segments side by side and puts them together afterwards; it must give
// the plain walk's bytes for intact blocks of every shape and for damaged ones alike: wrong indexes
// (the walk then passes the marker's row or circles) and changed column bytes.
TEST(BlockSortTest, FastInverseMatchesThePlainWalk) {
    std::mt19937 rng(5);
    for (size_t n : {65536, 100003, 409600})
        for (const TShape& shape : Shapes()) {
            SCOPED_TRACE(std::string(shape.Name) + ", " + std::to_string(n) + " bytes");
            const std::vector<uint8_t> block = shape.Make(n);
            TTransformed t = Forward(block);
            ASSERT_EQ(InversePlain(t.Column, t.Indexes), block);
            ASSERT_EQ(Inverse(t), block);
            const TTransformed intact = t;
            const auto row = [&] { return static_cast<int32_t>(rng() % (n + 1)); };
            for (int k = 0; k < 3; ++k) {
                t.Indexes = {row(), k == 0 ? intact.Indexes.Sentinel : row()};
                ASSERT_EQ(Inverse(t), InversePlain(t.Column, t.Indexes))
                    << "p " << t.Indexes.Primary << " a " << t.Indexes.Sentinel;
            }
            t = intact;
            for (int k = 0; k < 5; ++k)
                t.Column[rng() % n] ^= static_cast<uint8_t>(1 + rng() % 255);
            ASSERT_EQ(Inverse(t), InversePlain(t.Column, t.Indexes));
        }
}

// A column of one byte value is inverted without a walk; with wrong indexes the bytes must still be the
// walk's, the marker's row giving its 0 wherever the walk meets it.
TEST(BlockSortTest, OneByteColumnInvertsLikeTheWalk) {
    for (int32_t n : {1, 2, 7, 1000, 70000}) {
        TTransformed t;
        t.Column.assign(static_cast<size_t>(n), 'x');
        for (int32_t p : {0, 1, n / 2, n - 1, n})
            for (int32_t a : {0, 1, n / 3, n - 1, n}) {
                t.Indexes = {p, a};
                ASSERT_EQ(Inverse(t), InversePlain(t.Column, t.Indexes)) << n << " p " << p << " a " << a;
            }
    }
}

} // namespace
