#pragma once
// Numbers as the information views print them.
#include <cstdint>
#include <string>

// With thousands separators ("1,234,567", "-45,000"), so long amounts read at a glance.
std::string GroupThousands(int64_t value);
