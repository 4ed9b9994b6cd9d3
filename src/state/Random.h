#pragma once
// The one random generator of a game. Random(n) is uniform in 0..n-1 (0 for n <= 0).
// A game given a fixed seed replays exactly: reseeding it "from the clock" starts the
// same sequence again instead.
#include <cstdint>
#include <deque>
#include <optional>
#include <random>

class TRandom {
public:
    explicit TRandom(std::optional<uint32_t> fixedSeed = std::nullopt);
    virtual ~TRandom() = default;
    virtual int Random(int n);
    void ReseedFromClock();
    bool IsFixed() const { return FixedSeed.has_value(); }

private:
    std::optional<uint32_t> FixedSeed;
    std::mt19937 Engine;
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
