#include "state/Random.h"

#include <chrono>

namespace {
constexpr uint64_t Multiplier = 6364136223846793005ULL;

uint64_t ClockSeed() {
    const auto ticks = std::chrono::high_resolution_clock::now().time_since_epoch().count();
    return static_cast<uint64_t>(ticks);
}
} // namespace

TRandom::TRandom(std::optional<uint32_t> fixedSeed) : Fixed(fixedSeed.has_value()) {
    Seed(fixedSeed ? *fixedSeed : ClockSeed());
}

void TRandom::Seed(uint64_t seed) {
    // Any seed gives its own stream; the increment must be odd.
    State = 0;
    Increment = (seed << 1u) | 1u;
    Next();
    State += seed ^ 0x853c49e6748fea9bULL;
    Next();
}

uint32_t TRandom::Next() {
    const uint64_t old = State;
    State = old * Multiplier + Increment;
    const auto shifted = static_cast<uint32_t>(((old >> 18u) ^ old) >> 27u);
    const auto rotation = static_cast<uint32_t>(old >> 59u);
    return (shifted >> rotation) | (shifted << ((32u - rotation) & 31u));
}

void TRandom::ReseedFromClock() {
    if (Fixed) {
        const uint64_t high = Next();
        Seed((high << 32u) | Next());
    } else {
        Seed(ClockSeed());
    }
}

int TRandom::Random(int n) {
    if (n <= 0) return 0;
    // Multiply-and-reject: exact for every bound, one multiplication in the common case.
    const auto bound = static_cast<uint32_t>(n);
    uint64_t product = static_cast<uint64_t>(Next()) * bound;
    auto low = static_cast<uint32_t>(product);
    if (low < bound) {
        const uint32_t threshold = (0u - bound) % bound;
        while (low < threshold) {
            product = static_cast<uint64_t>(Next()) * bound;
            low = static_cast<uint32_t>(product);
        }
    }
    return static_cast<int>(product >> 32u);
}

int TScriptedRandom::Random(int n) {
    ++Calls;
    if (n <= 0) return 0;
    if (Values.empty()) return TRandom::Random(n);
    const int v = Values.front();
    Values.pop_front();
    return ((v % n) + n) % n;
}
