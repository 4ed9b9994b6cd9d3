#include "state/CodePage.h"

#include <array>
#include <cstdio>

namespace {

// 0x80..0x9F are where Windows-1252 differs from Latin-1.
constexpr std::array<char32_t, 32> High = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                           0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                           0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                           0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

void AppendUtf8(std::string& out, char32_t code) {
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

std::optional<char> Encode(char32_t code) {
    if (code < 0x80 || (code >= 0xA0 && code <= 0xFF)) return static_cast<char>(code);
    for (size_t i = 0; i < High.size(); ++i)
        if (High[i] == code) return static_cast<char>(0x80 + i);
    return std::nullopt;
}

std::string CodePoint(char32_t code) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "U+%04X", static_cast<unsigned>(code));
    return buffer;
}

} // namespace

std::string Cp1252ToUtf8(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        AppendUtf8(out, byte >= 0x80 && byte < 0xA0 ? High[byte - 0x80] : byte);
    }
    return out;
}

TCp1252Conversion Utf8ToCp1252(std::string_view text) {
    std::string out;
    size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i]);
        size_t length = lead < 0x80             ? 1
                        : (lead & 0xE0) == 0xC0 ? 2
                        : (lead & 0xF0) == 0xE0 ? 3
                        : (lead & 0xF8) == 0xF0 ? 4
                                                : 0;
        if (length == 0 || i + length > text.size()) return {std::nullopt, "the text is not UTF-8"};
        char32_t code = length == 1 ? lead : lead & (0x7F >> length);
        for (size_t k = 1; k < length; ++k) {
            const auto next = static_cast<unsigned char>(text[i + k]);
            if ((next & 0xC0) != 0x80) return {std::nullopt, "the text is not UTF-8"};
            code = (code << 6) | (next & 0x3F);
        }
        // Overlong forms, surrogates and values past Unicode are no characters.
        static constexpr char32_t Smallest[5] = {0, 0, 0x80, 0x800, 0x10000};
        if (code < Smallest[length] || (code >= 0xD800 && code <= 0xDFFF) || code > 0x10FFFF)
            return {std::nullopt, "the text is not UTF-8"};
        const std::optional<char> byte = Encode(code);
        if (!byte) {
            return {std::nullopt, "\"" + std::string(text.substr(i, length)) + "\" (" + CodePoint(code) +
                                      ") has no Windows-1252 form"};
        }
        out += *byte;
        i += length;
    }
    return {out, ""};
}
