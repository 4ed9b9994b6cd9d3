#include "sim/GameOver.h"

#include <algorithm>

#include "state/GameCore.h"

int ComputeScore(TGameCore& game) {
    auto& c = game.State.Company;
    const int64_t wealth = std::max<int64_t>(static_cast<int64_t>(c.Money) + 10000 - c.Loan, 10000) / 10000;
    // The loan is paid off out of the cash, once.
    c.Money = CheckedSub(CheckedAdd(c.Money, 1000), c.Loan);
    c.Loan = 0;
    const int64_t crisesBonus = 150LL * c.Crises;
    const int64_t officeBonus = c.OfficeIndex + 100LL;
    const int64_t weeksPlayed = (c.Year - 1984LL) * 52 + c.Week;
    return CheckedI32((wealth + weeksPlayed + crisesBonus + officeBonus) * c.Difficulty);
}

void GameOverBranch(TGameCore& game) {
    // Every End Of Week after the game is over shows the same sheet; settling again would pay
    // the loan twice.
    if (game.Flags.ScoreSettled) {
        game.Ui.ShowScoreSheet(game.ScoreSheet);
        return;
    }
    game.Flags.ScoreSettled = true;
    const int score = ComputeScore(game);
    const auto& c = game.State.Company;
    TScoreSheet& sheet = game.ScoreSheet;
    sheet = TScoreSheet{};
    sheet.Score = score;
    sheet.Rows[0] = {"Player Name", c.PlayerName.Str()};
    sheet.Rows[1] = {"Company Name", c.CompanyName.Str()};
    sheet.Rows[2] = {"Level", std::to_string(c.Difficulty)};
    sheet.Rows[3] = {"Money", std::to_string(c.Money)};
    sheet.Rows[4] = {"Year", std::to_string(c.Year)};
    sheet.Rows[5] = {"Week", std::to_string(c.Week)};
    sheet.Rows[6] = {"Number of crisis", std::to_string(c.Crises)};
    sheet.Rows[9] = {"Game Version", game.VersionText};
    sheet.Rows[10] = {"Score", std::to_string(score)};
    game.Ui.ShowScoreSheet(sheet);
}
