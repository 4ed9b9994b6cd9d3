#include "online/ServerText.h"

std::string WithoutControlCharacters(const std::string& text) {
    std::string clean;
    clean.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c == '\r' || c == '\n' || c == '\t') {
            clean += ' ';
        } else if (c < 0x20 || c == 0x7F) {
            continue;
        } else if (c == 0xC2 && i + 1 < text.size() && static_cast<unsigned char>(text[i + 1]) >= 0x80 &&
                   static_cast<unsigned char>(text[i + 1]) <= 0x9F) {
            // U+0080..U+009F in UTF-8: CSI and its kin for terminals that read UTF-8.
            ++i;
        } else {
            clean += static_cast<char>(c);
        }
    }
    return clean;
}
