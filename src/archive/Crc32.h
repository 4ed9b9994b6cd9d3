#pragma once
// The common reflected CRC-32 (polynomial 0xEDB88320) that guards every block.
#include <cstddef>
#include <cstdint>

class TCRC32 {
public:
    void Reset() { Reg = 0xFFFFFFFFu; }
    void Add(uint8_t b);
    void Add(const uint8_t* p, size_t n);
    uint32_t Value() const { return ~Reg; }

    static uint32_t Of(const uint8_t* p, size_t n) {
        TCRC32 crc;
        crc.Add(p, n);
        return crc.Value();
    }

private:
    uint32_t Reg = 0xFFFFFFFFu;
};
