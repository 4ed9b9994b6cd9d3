#include "start/InitialiseWorld.h"

#include "company/Managers.h"
#include "company/Publisher.h"
#include "company/Space.h"
#include "dev/Project.h"
#include "dev/Release.h"
#include "sim/Announcements.h"
#include "sim/GenreDemand.h"
#include "sim/PlatformMarket.h"
#include "sim/Sales.h"
#include "state/GameCore.h"
#include "state/PlatformTables.h"

void CompanyDefaults(TGameCore& game) {
    auto& c = game.State.Company;
    c.LeadProgrammer = 1;
    c.ProjectLeader = 1;
    c.LeadDesigner = 1;
    c.OfficeIndex = 0;
    c.ExtraOffices = 0;
    c.PlatformKnowledge.Fill(0);
    c.PlatformKnowledge[1] = 5 + game.Random(5);
    for (int g = 0; g <= 10; ++g)
        c.GenreKnowledge[g] = 0;
    c.AntiPiracy.Fill(0);
    c.PortingMethods.Fill(0);
    c.ToolProgress.Fill(0);
    c.AntiPiracyPlatform = 1;
    c.AntiPiracyStaff = 0;
    c.PortingPlatform = 1;
    c.PortingStaff = 0;
    c.StudyPlatform = 1;
    c.StudyStaff = 0;
    c.ToolPlatform = 1;
    c.ToolStaff = 0;
    c.GfxEquipExtra = 0;
    c.ComputerEquipExtra = 0;
    c.ToolsEquipExtra = 0;
    c.WageRaise = 0;
    // The first project leader decides how big the teams may grow.
    const TManagerCandidate* leader = game.State.Candidates.AtRow(TManagerKind::ProjectLeader, 1);
    c.TeamLimit = CheckedU8(TeamLimitFor(leader ? leader->Rating : 25));
    game.State.Employees = CountEmployees(game);
}

void InitialiseWorld(TGameCore& game) {
    if (game.Flags.QuitChosen) return;
    auto& c = game.State.Company;
    game.Ui.ShowWorking("Working...");
    game.Ui.Pause(100);
    game.Ui.SetBusy(true);

    c.GenrePopularity.Fill(0);
    c.GenrePopularity[0] = static_cast<uint8_t>(45 + game.Random(10));
    c.GenrePopularity[1] = static_cast<uint8_t>(25 + game.Random(15));
    c.GenrePopularity[2] = static_cast<uint8_t>(35 + game.Random(10));
    c.GenrePopularity[3] = static_cast<uint8_t>(30 + game.Random(10));
    c.GenrePopularity[4] = static_cast<uint8_t>(50 - game.Random(10));
    c.GenrePopularity[5] = static_cast<uint8_t>(25 + game.Random(15));
    c.GenrePopularity[6] = static_cast<uint8_t>(30 + game.Random(10));
    CreateStartingDeal(game);
    c.GenreTrend.Fill(0);
    c.Crises = 0;
    c.Economy = 100;
    c.EconomyFalling = false;
    game.Generator().ReseedFromClock();
    const int boom = game.Random(6);
    c.BoomPlatform = static_cast<uint8_t>(boom <= 1 ? 1 : boom == 5 ? 5 : 3);
    c.HotGenre = static_cast<uint8_t>(2 + game.Random(4));
    c.BestChartPos.Fill(NoChartPos);
    FillPlatformTable(game);
    game.State.PlatformsLastWeek = game.State.Platforms;
    game.State.PlatformsTwoWeeksAgo = game.State.Platforms;
    SeedTitles(game);
    CatchUpReleases(game);
    BuildSalesChart(game);
    FillChoiceLists(game);
    CompanyDefaults(game);
    // No project yet: the panel starts from its first platform and genre.
    ResetProject(game);
    InitProjectSlot(game, 1);
    game.Ui.StatusChanged();

    ShowPublisherLabel(game);
    RefreshGenreLights(game);
    ShowBestPlatforms(game);
    game.Ui.SetBusy(false);
    game.Ui.CloseWorking();
}
