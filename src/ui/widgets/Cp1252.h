#pragma once
// The game keeps its text in the Windows-1252 code page; Qt speaks Unicode. Every string
// crossing between the two goes through these.
#include <QString>
#include <string>
#include <string_view>

QString FromCp1252(std::string_view text);
// Characters without a Windows-1252 form become '?'.
std::string ToCp1252(const QString& text);
// The characters of the text that have no Windows-1252 form, each once, in order.
QString WithoutCp1252Form(const QString& text);

// A core message: Windows-1252 with "\r\n" (or a lone "\r") line breaks, as Qt shows it.
QString FromCoreText(std::string_view text);
