#include "state/Random.h"

#include <chrono>

TRandom::TRandom(std::optional<uint32_t> fixedSeed) : FixedSeed(fixedSeed) {
    ReseedFromClock();
}

void TRandom::ReseedFromClock() {
    const auto ticks = std::chrono::high_resolution_clock::now().time_since_epoch().count();
    Engine.seed(FixedSeed ? *FixedSeed : static_cast<uint32_t>(ticks ^ (ticks >> 32)));
}

int TRandom::Random(int n) {
    if (n <= 0) return 0;
    return std::uniform_int_distribution<int>(0, n - 1)(Engine);
}

int TScriptedRandom::Random(int n) {
    ++Calls;
    if (n <= 0) return 0;
    if (Values.empty()) return TRandom::Random(n);
    const int v = Values.front();
    Values.pop_front();
    return ((v % n) + n) % n;
}
