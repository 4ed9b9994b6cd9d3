#pragma once
// A length byte followed by N characters, as the saved records store text. Assigning a
// longer text keeps its first N characters.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

template <int N>
struct TShortString {
    static_assert(N > 0 && N < 256);
    uint8_t Length;
    char Chars[N];

    TShortString& operator=(std::string_view text) {
        Length = static_cast<uint8_t>(std::min<size_t>(text.size(), N));
        std::memcpy(Chars, text.data(), Length);
        return *this;
    }
    // A length byte read from a file may claim more than N characters; never read past the field.
    std::string Str() const { return std::string(Chars, std::min<int>(Length, N)); }
    bool operator==(std::string_view text) const { return Str() == text; }
};
