#pragma once
// Text that came from a server, made safe to show: a window or a terminal must never receive
// control characters from someone else (a terminal takes some as commands).
#include <string>

// Line breaks and tabs become spaces; every other control character (C0, DEL, and C1 written
// as UTF-8) is removed. Windows-1252 letters in 0x80..0x9F are kept.
std::string WithoutControlCharacters(const std::string& text);
