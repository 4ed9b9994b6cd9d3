#pragma once
// Arithmetic on the game state: rounding, checked integer operations and bounded arrays.
// A violation throws EGameRange; the action or weekly step that hit it is abandoned and
// what it wrote before stays.
#include <array>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

#include "state/Errors.h"

// "Rounded" in the rules is to the nearest integer with halves to even.
inline double RoundHalfEven(double value) {
    return std::nearbyint(value);
}
int32_t RoundToI32(double value);

int32_t CheckedAdd(int32_t a, int32_t b);
int32_t CheckedSub(int32_t a, int32_t b);
int32_t CheckedMul(int32_t a, int32_t b);
// The value must fit the narrower field it is stored in (u8 fields of the records).
uint8_t CheckedU8(int64_t value);
int32_t CheckedI32(int64_t value);

// Adds into a state field in place: Money += x, with overflow checking.
inline void AddTo(int32_t& field, int32_t amount) {
    field = CheckedAdd(field, amount);
}

[[noreturn]] void ThrowIndexError(long index, long lo, long hi);

// An array indexed lo..hi, as the saved records declare them; stored densely so the byte
// layout is that of a plain array.
template <typename T, long Lo, long Hi>
struct TBoundedArray {
    static_assert(Hi >= Lo);
    static constexpr long Low = Lo;
    static constexpr long High = Hi;
    static constexpr long Count = Hi - Lo + 1;
    T Items[Count];

    T& operator[](long index) {
        if (index < Lo || index > Hi) ThrowIndexError(index, Lo, Hi);
        return Items[index - Lo];
    }
    const T& operator[](long index) const {
        if (index < Lo || index > Hi) ThrowIndexError(index, Lo, Hi);
        return Items[index - Lo];
    }
    void Fill(const T& value) {
        for (auto& item : Items)
            item = value;
    }
    T* begin() { return Items; }
    T* end() { return Items + Count; }
    const T* begin() const { return Items; }
    const T* end() const { return Items + Count; }
};
