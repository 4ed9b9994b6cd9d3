#include "archive/ArithCoder.h"

#include "archive/ArchiveErrors.h"

namespace {

constexpr int32_t Top = 0xFFFF;
constexpr int32_t Half = 0x8000;
constexpr int32_t FirstQuarter = 0x4000;
constexpr int32_t ThirdQuarter = 0xC000;

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

} // namespace

void TGroupAriModel::Init(int lo, int count, int32_t increment, int32_t limit) {
    Lo = lo;
    N = count;
    Increment = increment;
    Limit = limit;
    for (int k = 0; k < N; ++k) {
        SymbolToIndex[k] = static_cast<uint8_t>(k + 1);
        IndexToSymbol[k + 1] = static_cast<uint8_t>(k);
    }
    IndexToSymbol[0] = 0;
    IndexToSymbol[N + 1] = 0;
    for (int i = 0; i <= N + 1; ++i) {
        Freq[i] = 1;
        Cum[i] = N + 1 - i;
    }
    Freq[0] = 0;
}

void TGroupAriModel::Update(int index) {
    if (Cum[0] >= Limit) {
        int32_t c = 0;
        for (int k = N + 1; k >= 0; --k) {
            Freq[k] = (Freq[k] + 1) / 2;
            Cum[k] = c;
            c += Freq[k];
        }
    }
    // Move the symbol ahead of every symbol of equal count, keeping the frequencies in falling order.
    // Freq[0] is 0 and every other count at least 1, so the walk stops at index 1.
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

void THeadAriModel::Reset() {
    Head.Init(0, GroupCount, HeadIncrement, HeadLimit);
    for (int g = 2; g < GroupCount; ++g)
        Groups[g].Init(GroupShapes[g].Lo, GroupShapes[g].Count, 1, GroupShapes[g].Limit);
}

void TStrucAriEncoder::Start() {
    Model.Reset();
    Low = 0;
    High = Top;
    Pending = 0;
    Out.ResetBits();
}

void TStrucAriEncoder::PutBit(int bit) {
    Out.WriteBit(bit);
    for (; Pending > 0; --Pending)
        Out.WriteBit(!bit);
}

void TStrucAriEncoder::EncodeIndex(TGroupAriModel& model, int index) {
    const int32_t range = High - Low + 1;
    const int32_t total = model.Cum[0];
    High = Low + range * model.Cum[index - 1] / total - 1;
    Low = Low + range * model.Cum[index] / total;
    for (;;) {
        if (High < Half) {
            PutBit(0);
        } else if (Low >= Half) {
            PutBit(1);
            Low -= Half;
            High -= Half;
        } else if (Low >= FirstQuarter && High < ThirdQuarter) {
            ++Pending;
            Low -= FirstQuarter;
            High -= FirstQuarter;
        } else {
            break;
        }
        Low = 2 * Low;
        High = 2 * High + 1;
    }
    model.Update(index);
}

void TStrucAriEncoder::Encode(int symbol) {
    const int g = THeadAriModel::GroupOf(symbol);
    EncodeIndex(Model.Head, Model.Head.SymbolToIndex[g]);
    if (g >= 2) {
        TGroupAriModel& group = Model.Groups[g];
        EncodeIndex(group, group.SymbolToIndex[symbol - group.Lo]);
    }
}

void TStrucAriEncoder::Finish() {
    ++Pending;
    PutBit(Low >= FirstQuarter ? 1 : 0);
    Out.FlushBits();
}

void TStrucAriDecoder::Start() {
    Model.Reset();
    In.ResetBits();
    Value = static_cast<int32_t>(In.ReadBits(16));
    Low = 0;
    High = Top;
}

int TStrucAriDecoder::DecodeIndex(TGroupAriModel& model) {
    // Low <= Value <= High holds throughout, so target lies in 0..total-1.
    const int32_t range = High - Low + 1;
    const int32_t total = model.Cum[0];
    const int32_t target = ((Value - Low + 1) * total - 1) / range;
    int i = 1;
    while (i <= model.N && model.Cum[i] > target)
        ++i;
    // The slot after the last symbol is never coded: only a corrupt stream lands there.
    if (i > model.N) throw ECorruptArchive("Corrupt block: undecodable symbol.");
    const int symbol = model.IndexToSymbol[i];
    High = Low + range * model.Cum[i - 1] / total - 1;
    Low = Low + range * model.Cum[i] / total;
    for (;;) {
        if (High < Half) {
            // nothing to take away
        } else if (Low >= Half) {
            Value -= Half;
            Low -= Half;
            High -= Half;
        } else if (Low >= FirstQuarter && High < ThirdQuarter) {
            Value -= FirstQuarter;
            Low -= FirstQuarter;
            High -= FirstQuarter;
        } else {
            break;
        }
        Low = 2 * Low;
        High = 2 * High + 1;
        Value = 2 * Value + In.ReadBit();
    }
    model.Update(i);
    return symbol;
}

int TStrucAriDecoder::Decode() {
    const int g = DecodeIndex(Model.Head);
    if (g < 2) return g;
    TGroupAriModel& group = Model.Groups[g];
    return group.Lo + DecodeIndex(group);
}
