#include "state/Numbers.h"

namespace {
[[noreturn]] void Overflow() {
    throw EGameRange("Integer overflow: the action was stopped.");
}
} // namespace

int32_t RoundToI32(double value) {
    double r = RoundHalfEven(value);
    if (!(r >= std::numeric_limits<int32_t>::min() && r <= std::numeric_limits<int32_t>::max())) Overflow();
    return static_cast<int32_t>(r);
}

int32_t CheckedAdd(int32_t a, int32_t b) {
    int32_t r;
    if (__builtin_add_overflow(a, b, &r)) Overflow();
    return r;
}

int32_t CheckedSub(int32_t a, int32_t b) {
    int32_t r;
    if (__builtin_sub_overflow(a, b, &r)) Overflow();
    return r;
}

int32_t CheckedMul(int32_t a, int32_t b) {
    int32_t r;
    if (__builtin_mul_overflow(a, b, &r)) Overflow();
    return r;
}

uint8_t CheckedU8(int64_t value) {
    if (value < 0 || value > 255) Overflow();
    return static_cast<uint8_t>(value);
}

int32_t CheckedI32(int64_t value) {
    if (value < std::numeric_limits<int32_t>::min() || value > std::numeric_limits<int32_t>::max())
        Overflow();
    return static_cast<int32_t>(value);
}

void ThrowIndexError(long index, long lo, long hi) {
    throw EGameRange("Index " + std::to_string(index) + " is outside its range " + std::to_string(lo) + ".." +
                     std::to_string(hi) + ": the action was stopped.");
}
