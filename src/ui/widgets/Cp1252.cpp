#include "ui/widgets/Cp1252.h"

#include <QList>
#include <array>

namespace {
// 0x80..0x9F differ from Latin-1. The five unassigned bytes map to the C1 controls of the
// same value, so that any byte string survives a round trip.
constexpr std::array<char32_t, 32> High = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                           0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                           0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                           0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char Encode(char32_t code) {
    if (code < 0x80 || (code >= 0xA0 && code <= 0xFF)) return static_cast<char>(code);
    for (size_t i = 0; i < High.size(); ++i)
        if (High[i] == code) return static_cast<char>(0x80 + i);
    return '?';
}
} // namespace

QString FromCp1252(std::string_view text) {
    QString result;
    result.reserve(static_cast<qsizetype>(text.size()));
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        const char32_t code = byte >= 0x80 && byte < 0xA0 ? High[byte - 0x80] : byte;
        result += QString::fromUcs4(&code, 1);
    }
    return result;
}

std::string ToCp1252(const QString& text) {
    std::string result;
    result.reserve(static_cast<size_t>(text.size()));
    // toUcs4 turns a lone surrogate into U+FFFD, which has no form and becomes '?'.
    const QList<uint> codes = text.toUcs4();
    for (uint code : codes)
        result += Encode(static_cast<char32_t>(code));
    return result;
}

QString WithoutCp1252Form(const QString& text) {
    QString missing;
    for (uint code : text.toUcs4()) {
        if (code == '?' || Encode(static_cast<char32_t>(code)) != '?') continue;
        const auto character = static_cast<char32_t>(code);
        const QString one = QString::fromUcs4(&character, 1);
        if (!missing.contains(one)) missing += one;
    }
    return missing;
}

QString FromCoreText(std::string_view text) {
    QString result = FromCp1252(text);
    result.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    result.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return result;
}
