#include "views/NumberText.h"

std::string CountText(int64_t value) {
    // The magnitude as unsigned, so the most negative value has one too.
    uint64_t magnitude = value < 0 ? 0 - static_cast<uint64_t>(value) : static_cast<uint64_t>(value);
    std::string digits = std::to_string(magnitude);
    std::string text;
    const size_t count = digits.size();
    for (size_t i = 0; i < count; ++i) {
        if (i > 0 && (count - i) % 3 == 0) text += ',';
        text += digits[i];
    }
    return value < 0 ? "-" + text : text;
}

std::string MoneyText(int64_t value) {
    return CountText(value) + "$";
}
