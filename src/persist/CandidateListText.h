#pragma once
// The saved form of the three manager candidate lists: one text line per candidate, its list
// (0 lead programmers, 1 project leaders, 2 lead designers), name, rating, share and wage
// separated by tabs. The hired managers are rows of these lists, so a load that kept freshly
// drawn lists would hand the player other people at other wages.
#include <string>

#include "state/Candidates.h"

// Every candidate of the three lists in order, each line ending in CRLF.
std::string CandidateListText(const TManagerCandidates& candidates);
// The lines back into the three lists (CRLF or LF line ends). Throws EDataFile naming the
// member, the line and the field of a line that cannot be right.
TManagerCandidates ParseCandidateListText(const std::string& text, const char* member);
