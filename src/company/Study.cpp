#include "company/Study.h"

#include <algorithm>

#include "company/Space.h"
#include "state/PlatformTables.h"

const char* const StudyHints[StudyActivityCount] = {
    "Your Employees will stydy this platform when they have spare time like\r\nnot devloping games. The "
    "more employees styding the better.",
    "Your Employees will make inhouse tools for the platform.\r\nThis will Decrease the development "
    "time.\r\nThe tools have to reach 100% before they can be used.",
    "Your Employees will Anti-piracy tools\\code for the platform.\r\nThis will Decrease piracy of the "
    "games.",
    "Study Methods will make porting from this platform Better and will\r\nbe faster developed on other "
    "platforms.",
};

const char* const PortingHelp =
    "Study Methods will make porting from this platform Better and will\r\nbe faster developed on other "
    "platforms.\r\nChoose the companys best games for porting for the best result.\r\n \r\nEx. Develope a "
    "game for C64 and study Methodes for C64 will give better\r\nporting to all other platforms of the "
    "these C64 games.";

uint8_t& StudyPlatformOf(TGameCore& game, TStudyActivity activity) {
    auto& c = game.State.Company;
    switch (activity) {
    case TStudyActivity::Study:
        return c.StudyPlatform;
    case TStudyActivity::Tools:
        return c.ToolPlatform;
    case TStudyActivity::AntiPiracy:
        return c.AntiPiracyPlatform;
    default:
        return c.PortingPlatform;
    }
}

uint8_t& StudyStaffOf(TGameCore& game, TStudyActivity activity) {
    auto& c = game.State.Company;
    switch (activity) {
    case TStudyActivity::Study:
        return c.StudyStaff;
    case TStudyActivity::Tools:
        return c.ToolStaff;
    case TStudyActivity::AntiPiracy:
        return c.AntiPiracyStaff;
    default:
        return c.PortingStaff;
    }
}

const TChoiceList& StudyPlatformList(const TGameCore& game, TStudyActivity activity) {
    const TChoiceLists& lists = game.State.Lists;
    switch (activity) {
    case TStudyActivity::Study:
        return lists.StudyPlatforms;
    case TStudyActivity::Tools:
        return lists.ToolPlatforms;
    case TStudyActivity::AntiPiracy:
        return lists.AntiPiracyPlatforms;
    default:
        return lists.PortingPlatforms;
    }
}

namespace {

std::string ShortName(int platform) {
    return platform >= 0 && platform < PlatformCount ? Platforms[platform].ShortName : "";
}

std::string Efficiency(int level) {
    const int p = LevelPercent(level);
    return p < 100 ? std::to_string(p) + "%" : "Best";
}

} // namespace

void ShowActivityDisplay(TGameCore& game, TStudyActivity activity, bool afterChange) {
    const auto& c = game.State.Company;
    TStudy& s = game.State.Study;
    const int platform = StudyPlatformOf(game, activity);
    s.PlatformName[static_cast<size_t>(activity)] = ShortName(platform);
    switch (activity) {
    case TStudyActivity::Study: {
        const int32_t knowledge = c.PlatformKnowledge[platform];
        s.Ability = knowledge < 100 ? std::to_string(knowledge) + "%" : "Max";
        s.SideCaption = s.PlatformName[static_cast<size_t>(activity)];
        break;
    }
    case TStudyActivity::Tools: {
        const int p = LevelPercent(c.ToolProgress[platform]);
        const int level = (p + 1) / 20;
        s.ToolProgress = p < 100
                             ? std::to_string(p) + "% (developing level " + std::to_string(level + 1) + ")"
                             : "Tool finished";
        s.ToolCurrent =
            afterChange ? "(Level " + std::to_string(level) + ")" : "Level " + std::to_string(level);
        break;
    }
    case TStudyActivity::AntiPiracy:
        s.AntiPiracyEfficiency = Efficiency(c.AntiPiracy[platform]);
        break;
    case TStudyActivity::Porting:
        s.PortingEfficiency = Efficiency(c.PortingMethods[platform]);
        break;
    }
}

void ShowStudyDisplays(TGameCore& game) {
    for (int a = 0; a < StudyActivityCount; ++a)
        ShowActivityDisplay(game, static_cast<TStudyActivity>(a), false);
}

TOutcome ChooseStudyPlatform(TGameCore& game, TStudyActivity activity, int platform) {
    const auto& items = StudyPlatformList(game, activity).Items;
    if (std::none_of(items.begin(), items.end(),
                     [&](const std::string& item) { return PlatformOfChoice(item) == platform; }))
        return TOutcome::Refused();
    StudyPlatformOf(game, activity) = CheckedU8(platform);
    ShowActivityDisplay(game, activity, true);
    return TOutcome::Ok();
}

TOutcome SetStudyStaff(TGameCore& game, TStudyActivity activity, int wanted) {
    uint8_t& count = StudyStaffOf(game, activity);
    while (count != wanted) {
        const int step = wanted > count ? 1 : -1;
        const int next = count + step;
        if (next < 0 || next > 100 || !StaffStepAllowed(game, step)) return TOutcome::Refused();
        count = static_cast<uint8_t>(next);
        StaffChanged(game);
    }
    return TOutcome::Ok();
}

void WeeklyStudy(TGameCore& game) {
    auto& c = game.State.Company;
    // Each employee gets one chance a week; the activities draw in this order.
    for (int i = 0; i < c.StudyStaff; ++i)
        if (game.Random(100) > 85) AddTo(c.PlatformKnowledge[c.StudyPlatform], 1);
    for (int i = 0; i < c.AntiPiracyStaff; ++i)
        if (game.Random(100) > 75) AddTo(c.AntiPiracy[c.AntiPiracyPlatform], 5);
    for (int i = 0; i < c.ToolStaff; ++i)
        if (game.Random(100) >= 50) AddTo(c.ToolProgress[c.ToolPlatform], 5);
    for (int i = 0; i < c.PortingStaff; ++i)
        if (game.Random(100) >= 50) AddTo(c.PortingMethods[c.PortingPlatform], 5);
}

void ClampLevels(TGameCore& game) {
    auto& c = game.State.Company;
    for (int i = 0; i <= 30; ++i) {
        c.ToolProgress[i] = std::min(c.ToolProgress[i], 1000);
        c.PortingMethods[i] = std::min(c.PortingMethods[i], 1000);
        c.AntiPiracy[i] = std::min(c.AntiPiracy[i], 1000);
        c.PlatformKnowledge[i] = std::min(c.PlatformKnowledge[i], 100);
        c.GenreKnowledge[i] = std::min(c.GenreKnowledge[i], 100);
    }
}

// The readers of a game that must not change it (the window) get the value.
uint8_t StudyPlatformOf(const TGameCore& game, TStudyActivity activity) {
    return StudyPlatformOf(const_cast<TGameCore&>(game), activity);
}

uint8_t StudyStaffOf(const TGameCore& game, TStudyActivity activity) {
    return StudyStaffOf(const_cast<TGameCore&>(game), activity);
}
