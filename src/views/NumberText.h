#pragma once
// Numbers as the game prints them wherever the wording leaves the form free: one form for
// money and one for counts (units, employees), so the same figure reads the same on every
// panel. Texts whose form is fixed (the building prices, "Monthly wage 2000$") keep theirs.
#include <cstdint>
#include <string>

// A count with thousands separators ("1,234,567", "-45,000"), so long figures read at a glance.
std::string CountText(int64_t value);
// An amount of dollars: the count form followed by "$" ("1,500,000$", "-45,000$").
std::string MoneyText(int64_t value);
