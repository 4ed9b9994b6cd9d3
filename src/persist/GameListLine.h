#pragma once
// The saved form of the two game lists: one text line per real entry, fields separated by ";"
// without escaping, integers in decimal and booleans as "-1" or "0". A released entry has 17
// fields, an upcoming one 16 (no ByPlayer). The chart history is not part of the line.
#include <string>
#include <vector>

#include "state/GameList.h"

enum class TGameListKind { Released, Upcoming };

// The line of one entry, without its line end.
std::string GameListLine(const TGameEntry& entry, TGameListKind kind);
// Every real entry of the list, each line ending in CRLF; empty for an empty list.
std::string GameListText(const TGameList& list, TGameListKind kind);

// One saved line back into an entry (chart history and gap bytes zero). Throws EDataFile
// naming the field when the line has the wrong number of fields, a field that is not a
// number, or a value outside its range (platform or genre index, week, year, a negative
// count).
TGameEntry ParseGameListLine(const std::string& line, TGameListKind kind);
// The lines of a saved list (CRLF or LF line ends) into a list ending in its blank slot.
// Errors name the line.
TGameList ParseGameListText(const std::string& text, TGameListKind kind);

// The lines of a saved text file: CRLF or LF ends, the last line with or without one.
std::vector<std::string> SplitSavedLines(const std::string& text);
// The standard reading of a boolean: "-1" or any other non-zero number, or "True", is true;
// "0" or "False" is false. False with `ok` cleared for anything else.
bool ParseSavedBool(const std::string& text, bool& ok);
