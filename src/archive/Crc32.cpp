#include "archive/Crc32.h"

#include <array>

namespace {

// Eight tables so that the bulk loop can take eight bytes per step.
constexpr std::array<std::array<uint32_t, 256>, 8> MakeTables() {
    std::array<std::array<uint32_t, 256>, 8> t{};
    for (uint32_t i = 0; i < 256; ++i) {
        uint32_t c = i;
        for (int k = 0; k < 8; ++k)
            c = (c & 1u) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
        t[0][i] = c;
    }
    for (uint32_t i = 0; i < 256; ++i)
        for (size_t k = 1; k < 8; ++k)
            t[k][i] = (t[k - 1][i] >> 8) ^ t[0][t[k - 1][i] & 0xFFu];
    return t;
}

constexpr auto Tables = MakeTables();

} // namespace

void TCRC32::Add(uint8_t b) {
    Reg = Tables[0][(Reg ^ b) & 0xFFu] ^ (Reg >> 8);
}

void TCRC32::Add(const uint8_t* p, size_t n) {
    uint32_t c = Reg;
    while (n >= 8) {
        const uint32_t lo = c ^ (static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
                                 static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24);
        c = Tables[7][lo & 0xFFu] ^ Tables[6][(lo >> 8) & 0xFFu] ^ Tables[5][(lo >> 16) & 0xFFu] ^
            Tables[4][lo >> 24] ^ Tables[3][p[4]] ^ Tables[2][p[5]] ^ Tables[1][p[6]] ^ Tables[0][p[7]];
        p += 8;
        n -= 8;
    }
    while (n-- > 0)
        c = Tables[0][(c ^ *p++) & 0xFFu] ^ (c >> 8);
    Reg = c;
}
