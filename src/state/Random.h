#pragma once
// The one random generator of a game. Random(n) is uniform in 0..n-1 (0 for n <= 0).
//
// The generator and the bounded draw are our own code (a permuted congruential generator
// and an exact multiply-and-reject bound), so a seed gives the same game whatever compiler
// or standard library built the program. Reseeding a game that was given a fixed seed takes
// the new seed from the generator itself: the sequence moves on and never starts over.
#include <cstdint>
#include <deque>
#include <optional>

class TRandom {
public:
    explicit TRandom(std::optional<uint32_t> fixedSeed = std::nullopt);
    virtual ~TRandom() = default;
    virtual int Random(int n);
    // "Reseed from the clock": the clock for a free game, the generator's next draw for a
    // seeded one.
    void ReseedFromClock();
    bool IsFixed() const { return Fixed; }
    void Seed(uint64_t seed);
    // The next raw 32 bits.
    uint32_t Next();

private:
    bool Fixed;
    uint64_t State = 0;
    uint64_t Increment = 0;
};

// Returns the queued values in order (each taken modulo n so it stays in range), then
// falls back to a fixed-seed sequence. For tests that need a particular draw.
class TScriptedRandom : public TRandom {
public:
    explicit TScriptedRandom(std::deque<int> values = {}) : TRandom(1), Values(std::move(values)) {}
    int Random(int n) override;
    std::deque<int> Values;
    int Calls = 0;
};
