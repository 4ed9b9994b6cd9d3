#pragma once
// Helpers for the separated text lines and fixed-width columns the game reads and prints.
// Positions are 1-based where the helpers return positions.
#include <string>
#include <string_view>
#include <vector>

std::string PadRight(std::string_view text, int width, char fill = ' ');
std::string FitColumn(std::string_view text, int width, char fill = ' ');
std::string FieldAt(std::string_view separator, std::string_view text, int index);
std::string FieldNumber(std::string_view text, int number, std::string_view separator);
int CountFields(std::string_view text, std::string_view separator);
std::string RemoveChar(std::string_view text, char c);
bool ContainsText(std::string_view text, std::string_view part);
// 1-based position of pattern in text searching from startPos, or 0. startPos below 1 is a
// programming error and throws std::invalid_argument.
int FindText(std::string_view pattern, std::string_view text, bool caseSensitive, bool forward, int startPos);
std::string Trim(std::string_view text);
std::string UpperCase(std::string_view text);

// The folder of the running program, ending in '/'.
std::string AppDirectory();
std::string WithBackslash(std::string_view directory);
// Names of the plain files in directory matching mask ('*' and '?', letters in any case).
std::vector<std::string> ListFiles(std::string_view directory, std::string_view mask);
long long FileSizeOf(const std::string& fileName);
// The real name of a file in a folder, matched without regard to letter case; empty if none.
std::string FindFileNoCase(const std::string& directory, const std::string& name);
// Stored names use backslashes; on this system they become forward slashes.
std::string LocalPath(std::string_view storedName);
