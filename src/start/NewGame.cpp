#include "start/NewGame.h"

#include <ctime>

#include "archive/ArchiveFile.h"
#include "company/Space.h"
#include "state/GameCore.h"
#include "state/TextFields.h"

void ApplyNewGameChoices(TGameCore& game, const TNewGameChoices& choices) {
    auto& c = game.State.Company;
    const int difficulty = choices.Difficulty < 1 ? 1 : choices.Difficulty > 3 ? 3 : choices.Difficulty;
    game.Flags.GameOver = false;
    game.Flags.ScoreSettled = false;
    AddTo(game.Tunables.NewProjectWork, 200 + difficulty);
    c.StartStamp = UnixTimeToDosDateTime(std::time(nullptr));
    c.PlatformKnowledge.Fill(0);
    for (int g = 0; g <= 10; ++g)
        c.GenreKnowledge[g] = 0;
    c.Year = StartYear;
    c.Week = 1;
    c.PlayerName = Trim(choices.PlayerName);
    c.CompanyName = Trim(choices.CompanyName);
    c.Difficulty = static_cast<uint8_t>(difficulty);
    c.DifficultyBase = static_cast<uint8_t>(5 + 2 * difficulty);
    c.DifficultyFactor = c.DifficultyBase;
    c.OfficeIndex = 0;
    c.SoundStudio = false;
    c.TestCenter = false;
    c.GfxEquipment = false;
    c.ComputerEquipment = false;
    c.ToolsEquipment = false;
    c.LeadProgrammer = 1;
    c.ProjectLeader = 1;
    c.LeadDesigner = 1;
    c.AssistProgrammers = 0;
    c.AssistMusicians = 0;
    c.AssistArtists = 0;
    c.InvestorShare = 0;
    c.InvestorAmount = 0;
    c.HasInvestor = false;
    game.State.Employees = CountEmployees(game);
    c.Money = 1500000;
    c.Loan = 1000000;
    c.LoanRate = 17;
    c.HistMoney[StartYear][1] = c.Money;
    game.Tunables.QualityBase = CheckedSub(game.Tunables.QualityBase, 2 * difficulty);
}
