#pragma once
// The game's text is Windows-1252, one byte a character; the command line and JSON files speak
// UTF-8. These convert at that boundary without any library of the window system.
#include <optional>
#include <string>
#include <string_view>

// Every byte as its character. The five bytes Windows-1252 leaves unassigned become the C1
// controls of the same value, so any byte string survives the way there and back.
std::string Cp1252ToUtf8(std::string_view text);

struct TCp1252Conversion {
    std::optional<std::string> Text; // nullopt when some character cannot be converted
    std::string Problem;             // why not, for the player: names the character
};
// UTF-8 text in Windows-1252. Refused (with the reason) for bytes that are no UTF-8 and for a
// character with no Windows-1252 form.
TCp1252Conversion Utf8ToCp1252(std::string_view text);
