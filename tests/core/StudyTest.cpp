// Study, tools, anti-piracy and platform independence: the weekly draws, the panel's displays,
// the staff counters and the Company Details lists.
#include <gtest/gtest.h>

#include "GameFixture.h"
#include "company/Space.h"
#include "company/Study.h"
#include "views/CompanyKnowledge.h"

namespace {

class StudyTest : public GameFixture {
protected:
    bool Staff(TStudyActivity activity, int count) {
        return Apply(Game, TSetStudyStaff{.Activity = activity, .Count = count}).Done;
    }
};

TEST_F(StudyTest, EachEmployeeDrawsOnceAWeekInTheActivitiesOrder) {
    Company.StudyStaff = 2;
    Company.AntiPiracyStaff = 2;
    Company.ToolStaff = 2;
    Company.PortingStaff = 2;
    Company.StudyPlatform = 3;
    Company.AntiPiracyPlatform = 5;
    Company.ToolPlatform = 6;
    Company.PortingPlatform = 7;
    Company.PlatformKnowledge[3] = 10;
    // Study needs above 85, anti-piracy above 75, tools and porting 50 or more.
    SetRandomValues({86, 85, 76, 75, 50, 49, 99, 0});
    WeeklyStudy(Game);
    EXPECT_EQ(Company.PlatformKnowledge[3], 11);
    EXPECT_EQ(Company.AntiPiracy[5], 5);
    EXPECT_EQ(Company.ToolProgress[6], 5);
    EXPECT_EQ(Company.PortingMethods[7], 5);
    EXPECT_EQ(dynamic_cast<TScriptedRandom&>(Game.Generator()).Calls, 8);
}

TEST_F(StudyTest, TenToolMakersAverageTwentyFivePointsAWeek) {
    Company.ToolStaff = 10;
    Company.ToolPlatform = 1;
    constexpr int Weeks = 2000;
    int64_t gained = 0;
    for (int week = 0; week < Weeks; ++week) {
        Company.ToolProgress[1] = 0;
        WeeklyStudy(Game);
        gained += Company.ToolProgress[1];
    }
    // 10 draws of 5 points at even odds: 25 a week, spread 7.9; the mean of 2000 weeks lies
    // within 0.18 of it nearly always.
    EXPECT_NEAR(static_cast<double>(gained) / Weeks, 25.0, 0.9);
}

TEST_F(StudyTest, DisplaysOfTheLevels) {
    struct TCase {
        int Tool;
        const char* Progress;
        const char* Current;
    } const tools[] = {
        {0, "0% (developing level 1)", "Level 0"},    {199, "20% (developing level 2)", "Level 1"},
        {989, "99% (developing level 6)", "Level 5"}, {999, "Tool finished", "Level 5"},
        {1000, "Tool finished", "Level 5"},
    };
    Company.ToolPlatform = 3;
    for (const TCase& c : tools) {
        Company.ToolProgress[3] = c.Tool;
        ShowStudyDisplays(Game);
        EXPECT_EQ(Game.State.Study.ToolProgress, c.Progress) << c.Tool;
        EXPECT_EQ(Game.State.Study.ToolCurrent, c.Current) << c.Tool;
    }

    struct TEfficiency {
        int Level;
        const char* Shown;
    } const efficiencies[] = {{0, "0%"}, {8, "0%"}, {9, "1%"}, {994, "99%"}, {999, "Best"}, {1000, "Best"}};
    Company.AntiPiracyPlatform = 5;
    Company.PortingPlatform = 6;
    for (const TEfficiency& c : efficiencies) {
        Company.AntiPiracy[5] = c.Level;
        Company.PortingMethods[6] = c.Level;
        ShowStudyDisplays(Game);
        EXPECT_EQ(Game.State.Study.AntiPiracyEfficiency, c.Shown) << c.Level;
        EXPECT_EQ(Game.State.Study.PortingEfficiency, c.Shown) << c.Level;
    }

    Company.StudyPlatform = 1;
    Company.PlatformKnowledge[1] = 99;
    ShowStudyDisplays(Game);
    EXPECT_EQ(Game.State.Study.Ability, "99%");
    Company.PlatformKnowledge[1] = 100;
    ShowStudyDisplays(Game);
    EXPECT_EQ(Game.State.Study.Ability, "Max");
    EXPECT_EQ(Game.State.Study.PlatformName[0], "C64");
    EXPECT_EQ(Game.State.Study.SideCaption, "C64");
}

TEST_F(StudyTest, ChoosingAPlatformRefreshesThatActivityOnly) {
    Company.ToolProgress[3] = 1000;
    Company.ToolProgress[6] = 430; // 43 %
    Company.ToolPlatform = 3;
    Company.StudyPlatform = 1;
    ShowStudyDisplays(Game);
    EXPECT_EQ(Game.State.Study.ToolCurrent, "Level 5");

    ASSERT_TRUE(Apply(Game, TChooseStudyPlatform{.Activity = TStudyActivity::Tools, .Platform = 6}).Done);
    EXPECT_EQ(Company.ToolPlatform, 6);
    EXPECT_EQ(Game.State.Study.ToolProgress, "43% (developing level 3)");
    EXPECT_EQ(Game.State.Study.ToolCurrent, "(Level 2)");
    EXPECT_EQ(Game.State.Study.PlatformName[static_cast<size_t>(TStudyActivity::Tools)], "Spectrum");
    EXPECT_EQ(Game.State.Study.SideCaption, "C64");

    // A platform can be studied a year before it reaches the market, not earlier.
    ASSERT_EQ(Company.Year, 1984);
    EXPECT_TRUE(Apply(Game, TChooseStudyPlatform{.Activity = TStudyActivity::Study, .Platform = 0}).Done);
    EXPECT_EQ(Game.State.Study.SideCaption, "Amiga");
    EXPECT_FALSE(Apply(Game, TChooseStudyPlatform{.Activity = TStudyActivity::Study, .Platform = 4}).Done);
    EXPECT_FALSE(Apply(Game, TChooseStudyPlatform{.Activity = TStudyActivity::Porting, .Platform = 40}).Done);
    EXPECT_EQ(Company.StudyPlatform, 0);
    EXPECT_EQ(Company.PortingPlatform, 1);
}

TEST_F(StudyTest, CountersNeedFreeOfficeSpaceToGoUp) {
    const int free = FreeSpace(Game);
    ASSERT_GT(free, 2);
    const int employees = Game.State.Employees;
    // A typed count is reached step by step while there is room.
    EXPECT_TRUE(Staff(TStudyActivity::Tools, free - 2));
    EXPECT_EQ(Company.ToolStaff, free - 2);
    EXPECT_EQ(Game.State.Employees, employees + free - 2);
    EXPECT_FALSE(Staff(TStudyActivity::Study, 5));
    EXPECT_EQ(Company.StudyStaff, 2);
    EXPECT_EQ(FreeSpace(Game), 0);
    // A full office: nothing goes up, everything goes down.
    for (int a = 0; a < StudyActivityCount; ++a) {
        const auto activity = static_cast<TStudyActivity>(a);
        const int before = StudyStaffOf(Game, activity);
        EXPECT_FALSE(Staff(activity, before + 1)) << a;
        EXPECT_EQ(StudyStaffOf(Game, activity), before) << a;
    }
    EXPECT_TRUE(Staff(TStudyActivity::Study, 0));
    EXPECT_EQ(FreeSpace(Game), 2);
    // The counter stops at 0.
    EXPECT_FALSE(Staff(TStudyActivity::Tools, -4));
    EXPECT_EQ(Company.ToolStaff, 0);
    EXPECT_EQ(Game.State.Employees, employees);
}

TEST_F(StudyTest, EndOfWeekStudiesAndHoldsTheLevels) {
    Company.ToolStaff = 10;
    Company.ToolPlatform = 3;
    Company.ToolProgress[3] = 995;
    Company.StudyStaff = 10;
    Company.StudyPlatform = 1;
    Company.PlatformKnowledge[1] = 99;
    Company.Money = 5000000;
    for (int week = 0; week < 6; ++week) {
        Apply(Game, TEndOfWeekAction{});
        EXPECT_LE(Company.ToolProgress[3], 1000);
        EXPECT_LE(Company.PlatformKnowledge[1], 100);
    }
    EXPECT_EQ(Company.ToolProgress[3], 1000);
    EXPECT_EQ(Company.PlatformKnowledge[1], 100);
}

TEST_F(StudyTest, KnowledgeOfARunningProjectIsHeldAtTheWeeksEnd) {
    // The project's own learning comes after the study step; the second clamp catches it.
    Company.Money = 5000000;
    ASSERT_TRUE(Apply(Game, TStartNewProject{}).Done);
    ASSERT_TRUE(Apply(Game, TChooseProjectPlatform{.Platform = 3}).Done);
    ASSERT_TRUE(Apply(Game, TStartProject{.GameName = "Known Ground"}).Done);
    Company.PlatformKnowledge[3] = 100;
    for (int week = 0; week < 20; ++week) {
        Apply(Game, TEndOfWeekAction{});
        ASSERT_EQ(Company.PlatformKnowledge[3], 100) << week;
    }
}

TEST_F(StudyTest, CompanyDetailsListEveryLevel) {
    Company.PlatformKnowledge[1] = 42;
    Company.GenreKnowledge[5] = 100;
    Company.AntiPiracy[3] = 999;
    Company.ToolProgress[3] = 1000;
    Company.PortingMethods[12] = 15;
    const TCompanyKnowledge k = ShowCompanyKnowledge(Game);
    // 1984: the platforms on the market, in index order.
    const std::vector<std::string> expectedNames = {"C64",      "Apple II", "Dos", "Atari",
                                                    "Spectrum", "Amstrad",  "NES"};
    for (int list : {PlatformKnowledgeList, PiracyList, ToolsList, MultiPlatformList})
        ASSERT_EQ(k.Lines[static_cast<size_t>(list)].size(), expectedNames.size()) << list;
    EXPECT_EQ(k.Lines[PlatformKnowledgeList][0], "C64              42%");
    EXPECT_EQ(k.Lines[PlatformKnowledgeList][1], "Apple II         0%");
    // The lists divide without rounding up: 999 is 99 % here, "Best" on the Study panel.
    EXPECT_EQ(k.Lines[PiracyList][2], "Dos              99%");
    EXPECT_EQ(k.Lines[ToolsList][2], "Dos              100%");
    EXPECT_EQ(k.Lines[MultiPlatformList][6], "NES              1%");
    ASSERT_EQ(k.Lines[GenreKnowledgeList].size(), 7u);
    EXPECT_EQ(k.Lines[GenreKnowledgeList][5], "RPG              100%");
    for (size_t i = 0; i < expectedNames.size(); ++i)
        EXPECT_EQ(k.Lines[ToolsList][i].substr(0, expectedNames[i].size()), expectedNames[i]);
}

} // namespace
