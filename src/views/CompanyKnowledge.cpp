#include "views/CompanyKnowledge.h"

#include "state/GameCore.h"
#include "state/PlatformTables.h"
#include "state/TextFields.h"

const char* const TCompanyKnowledge::Titles[KnowledgeListCount] = {
    "Platform Knowledge", "Genre Knowledge", "Piracy Efficiency", "Tools", "MultiPlatform"};

namespace {
constexpr int NameWidth = 16;

std::string Line(const std::string& name, int32_t value) {
    return FitColumn(name, NameWidth) + std::to_string(value) + "%";
}
} // namespace

TCompanyKnowledge ShowCompanyKnowledge(const TGameCore& game) {
    const auto& c = game.State.Company;
    TCompanyKnowledge k;
    // These lists divide without the panel's rounding up: 999 is 99 % here.
    for (int platform : OfferedPlatforms(c.Year)) {
        const std::string name = Platforms[platform].ShortName;
        k.Lines[PlatformKnowledgeList].push_back(Line(name, c.PlatformKnowledge[platform]));
        k.Lines[PiracyList].push_back(Line(name, c.AntiPiracy[platform] / 10));
        k.Lines[ToolsList].push_back(Line(name, c.ToolProgress[platform] / 10));
        k.Lines[MultiPlatformList].push_back(Line(name, c.PortingMethods[platform] / 10));
    }
    // Genre indices without a name have no line.
    for (int genre = 0; genre < GenreCount; ++genre)
        k.Lines[GenreKnowledgeList].push_back(Line(Genres[genre].Name, c.GenreKnowledge[genre]));
    return k;
}
