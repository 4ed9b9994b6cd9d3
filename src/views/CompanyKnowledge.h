#pragma once
// The Company Details panel's five lists of what the studio has learnt and built: platform
// and genre knowledge, anti-piracy, tools and platform independence, one line per platform or
// genre, the name in a column of its own.
#include <array>
#include <string>
#include <vector>

class TGameCore;

enum TKnowledgeList { PlatformKnowledgeList, GenreKnowledgeList, PiracyList, ToolsList, MultiPlatformList };
constexpr int KnowledgeListCount = 5;

struct TCompanyKnowledge {
    // "Platform Knowledge", "Genre Knowledge", "Piracy Efficiency", "Tools", "MultiPlatform".
    static const char* const Titles[KnowledgeListCount];
    std::array<std::vector<std::string>, KnowledgeListCount> Lines;
};

TCompanyKnowledge ShowCompanyKnowledge(const TGameCore& game);
