#include "archive/ArithCoder.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr int32_t HeadIncrement = 32;
constexpr int32_t HeadLimit = 4096;

struct TGroupShape {
    int Lo;
    int Count;
    int32_t Limit;
};
// Groups 2..8; groups 0 and 1 are single symbols and have no model.
constexpr TGroupShape GroupShapes[THeadAriModel::GroupCount] = {
    {0, 1, 0},      {1, 1, 0},      {2, 2, 256},    {4, 4, 256},      {8, 8, 128},
    {16, 16, 1024}, {32, 32, 2048}, {64, 64, 4096}, {128, 130, 8192},
};

constexpr std::array<uint64_t, AriDetail::MaxTotal + 1> MakeReciprocals() {
    std::array<uint64_t, AriDetail::MaxTotal + 1> r{};
    for (int32_t d = 1; d <= AriDetail::MaxTotal; ++d)
        r[static_cast<size_t>(d)] =
            (uint64_t{1} << AriDetail::ReciprocalShift) / static_cast<uint64_t>(d) + 1;
    return r;
}

} // namespace

namespace AriDetail {
constinit const std::array<uint64_t, MaxTotal + 1> Reciprocals = MakeReciprocals();
} // namespace AriDetail

void TGroupAriModel::Init(int lo, int count, int32_t increment, int32_t limit) {
    Lo = lo;
    N = count;
    Increment = increment;
    Limit = limit;
    std::fill(std::begin(Cum), std::end(Cum), 0);
    std::fill(std::begin(Freq), std::end(Freq), 0);
    std::fill(std::begin(IndexToSymbol), std::end(IndexToSymbol), 0);
    for (int k = 0; k < N; ++k) {
        SymbolToIndex[k] = static_cast<uint8_t>(k + 1);
        IndexToSymbol[k + 1] = static_cast<uint8_t>(k);
    }
    for (int i = 1; i <= N + 1; ++i)
        Freq[i] = 1;
    for (int i = 0; i <= N + 1; ++i)
        Cum[i] = N + 1 - i;
}

void TGroupAriModel::Halve() {
    int32_t c = 0;
    for (int k = N + 1; k >= 0; --k) {
        Freq[k] = (Freq[k] + 1) / 2;
        Cum[k] = c;
        c += Freq[k];
    }
}

void TGroupAriModel::UpdatePlain(int index) {
    if (Cum[0] >= Limit) Halve();
    int j = index;
    while (Freq[j] == Freq[j - 1])
        --j;
    if (j < index) {
        const uint8_t si = IndexToSymbol[index];
        const uint8_t sj = IndexToSymbol[j];
        IndexToSymbol[index] = sj;
        IndexToSymbol[j] = si;
        SymbolToIndex[si] = static_cast<uint8_t>(j);
        SymbolToIndex[sj] = static_cast<uint8_t>(index);
    }
    Freq[j] += Increment;
    for (int k = j - 1; k >= 0; --k)
        Cum[k] += Increment;
}

THeadAriModel::THeadAriModel(TSetUp) {
    Head.Init(0, GroupCount, HeadIncrement, HeadLimit);
    for (int g = 2; g < GroupCount; ++g)
        Groups[g].Init(GroupShapes[g].Lo, GroupShapes[g].Count, 1, GroupShapes[g].Limit);
}

void THeadAriModel::Reset() {
    static const THeadAriModel fresh{TSetUp{}};
    *this = fresh;
}

void TStrucAriEncoder::Start() {
    Model.Reset();
    State = TState{};
    Out.ResetBits();
}

uint32_t TStrucAriEncoder::WriteOut(uint32_t used) {
    Out.Write(Buffer, used);
    return 0;
}

void TStrucAriEncoder::Finish() {
    TState state = State;
    ++state.Pending;
    PutBitPlusPending(state, state.Low >= AriDetail::FirstQuarter ? 1u : 0u);
    // The bits left, fewer than 8: the last byte, completed with 0 bits.
    if (state.AccBits > 0) Buffer[state.Used++] = static_cast<uint8_t>(state.Acc << (8 - state.AccBits));
    state.AccBits = 0;
    state.Used = WriteOut(state.Used);
    State = state;
    Out.ResetBits();
}

uint32_t TStrucAriDecoder::Refill(uint32_t pos) {
    if (pos > End) {
        // Bits the file could not give: the bit level raises its error for the next byte.
        In.FetchByte();
        throw EBitReadLimit();
    }
    if (Exhausted) return pos;
    const size_t from = pos >> 3;
    const size_t keep = End / 8 - from;
    std::memmove(Buffer, Buffer + from, keep);
    const size_t got = In.FetchBytes(Buffer + keep, ChunkBytes - keep);
    std::memset(Buffer + keep + got, 0, sizeof Buffer - keep - got);
    End = static_cast<uint32_t>(8 * (keep + got));
    Exhausted = keep + got < ChunkBytes;
    // While more can come, refill early enough that a whole symbol can be taken; at the end, only once
    // the bits run out.
    RefillAt = Exhausted ? End : End - MaxSymbolBits;
    return pos & 7u;
}

void TStrucAriDecoder::Start() {
    Model.Reset();
    In.ResetBits();
    End = 0;
    Exhausted = false;
    State = TState{};
    uint32_t pos = Refill(0);
    State.Offset = TakeBits(pos, 16);
    State.Pos = pos > RefillAt ? Refill(pos) : pos;
}
