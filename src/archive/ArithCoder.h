#pragma once
// A 16-bit integer arithmetic coder over a two-level adaptive model: the head model codes which of
// nine symbol groups comes next, one model per group codes the symbol inside a group of several.
// Encoder and decoder must update their models identically, bit for bit.
#include "archive/BitFile.h"

#include <cstdint>

// An adaptive model over the symbols Lo..Lo+N-1. Symbols sit at indexes 1..N kept in falling order
// of frequency; index N+1 holds a count of its own and is never coded. Cum[i] is the sum of
// Freq[i+1..N+1], so Cum[0] is the total.
class TGroupAriModel {
public:
    static constexpr int MaxSymbols = 130;

    void Init(int lo, int count, int32_t increment, int32_t limit);
    void Update(int index);

    int Lo = 0;
    int N = 0;
    int32_t Increment = 1;
    int32_t Limit = 0;
    int32_t Freq[MaxSymbols + 2];
    int32_t Cum[MaxSymbols + 2];
    uint8_t SymbolToIndex[MaxSymbols];     // relative symbol -> index 1..N
    uint8_t IndexToSymbol[MaxSymbols + 2]; // index 1..N -> relative symbol
};

// The head model over the groups 0..8 and one model for each group of more than one symbol.
class THeadAriModel {
public:
    static constexpr int GroupCount = 9;

    THeadAriModel() { Reset(); }
    void Reset();

    static int GroupOf(int symbol) { // symbol 0..257
        if (symbol < 2) return symbol;
        int g = 1;
        while (g < 8 && (symbol >> g) != 0)
            ++g;
        return g;
    }
    static int GroupLo(int group) { return group < 2 ? group : 1 << (group - 1); }

    TGroupAriModel Head;
    TGroupAriModel Groups[GroupCount]; // 2..8 in use
};

class TStrucAriEncoder {
public:
    explicit TStrucAriEncoder(TBitFile& out) : Out(out) {}
    void Start();            // fresh model and coder state, bit state reset
    void Encode(int symbol); // 0..257
    void Finish();           // the last bits, then the pending byte completed with 0 bits

private:
    void EncodeIndex(TGroupAriModel& model, int index);
    void PutBit(int bit);

    TBitFile& Out;
    THeadAriModel Model;
    int32_t Low = 0;
    int32_t High = 0xFFFF;
    int32_t Pending = 0;
};

class TStrucAriDecoder {
public:
    explicit TStrucAriDecoder(TBitFile& in) : In(in) {}
    void Start(); // fresh model, reads the first 16 bits
    // The next symbol 0..257. A code value that no symbol can have produced: ECorruptArchive.
    int Decode();

private:
    int DecodeIndex(TGroupAriModel& model);

    TBitFile& In;
    THeadAriModel Model;
    int32_t Low = 0;
    int32_t High = 0xFFFF;
    int32_t Value = 0;
};
