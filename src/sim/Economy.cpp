#include "sim/Economy.h"

#include <algorithm>

#include "state/GameCore.h"
#include "state/PlatformTables.h"

void DriftEconomy(TGameCore& game) {
    auto& c = game.State.Company;
    const int step = game.Random(3);
    const int economy = c.EconomyFalling ? c.Economy - step : c.Economy + step;
    c.Economy = static_cast<uint8_t>(std::clamp(economy, 50, 100));
}

std::string EconomyLabelText(int economy) {
    if (economy >= 96) return "Fantastic";
    if (economy >= 86) return "Very Good";
    if (economy >= 76) return "OK";
    if (economy >= 66) return "Not to good";
    return "bad, Economic crisis!";
}

void ShowEconomyLabel(TGameCore& game) {
    game.Side.Economy = EconomyLabelText(game.State.Company.Economy);
}

namespace {

bool FirstWeekOfGame(const TCompany& c) {
    return c.Year == 1984 && c.Week == 1;
}

void RollCrisis(TGameCore& game) {
    auto& c = game.State.Company;
    const int r = game.Random(100);
    if (r > 100 - 15 * c.Difficulty) {
        c.EconomyFalling = true;
        if (!FirstWeekOfGame(c)) c.Crises = CheckedAdd(c.Crises, 1);
    } else {
        c.EconomyFalling = false;
    }
    // The player's first week never opens in a crisis.
    if (FirstWeekOfGame(c)) c.EconomyFalling = false;
}

void Predict(TGameCore& game) {
    auto& c = game.State.Company;
    game.Flags.BoomConfirmed = false;
    game.Flags.GenreBoomConfirmed = false;
    bool chosen = false;
    for (int draw = 0; draw < 50 && !chosen; ++draw) {
        const int g = 1 + game.Random(5);
        if (g >= 2 && c.GenrePopularity[g] <= 35) {
            c.HotGenre = static_cast<uint8_t>(g);
            chosen = true;
        }
    }
    if (!chosen) c.HotGenre = static_cast<uint8_t>(1 + game.Random(5));

    const TPlatformTable& t = game.State.Platforms;
    c.BoomPlatform = NoBoomPlatform;
    for (int draw = 0; draw < 200; ++draw) {
        const int p = game.Random(18); // the newest console is never predicted
        if (t.ReleaseYear[p] <= c.Year && c.Year < t.ReleaseYear[p] + t.Lifetime[p] - 3) {
            c.BoomPlatform = static_cast<uint8_t>(p);
            break;
        }
    }
}

void Confirm(TGameCore& game) {
    if (game.Random(100) < 70) game.Flags.BoomConfirmed = true;
    if (game.Random(100) < 70) game.Flags.GenreBoomConfirmed = true;
}

void WriteWorldNews(TGameCore& game) {
    const auto& c = game.State.Company;
    TNewsTexts& news = game.News;
    if (c.EconomyFalling) {
        const int r = game.Random(7);
        const std::string crisis = r <= 2   ? "Oil crisis !...\r\n"
                                   : r == 3 ? "Possible War!...\r\n"
                                   : r == 4 ? "Stock market very unstable!...\r\n"
                                            : "Economic uncertainty!\r\n";
        news.WorldHeadline = crisis;
        news.WorldNews =
            crisis +
            (c.Economy < 80
                 ? "Who could have known worse was to come. The economics sitiuation is extremly bad. "
                   "Everybody can only hope that the crisis will disappear very soon"
                 : "The economics sitiuation is good at the moment but the crisis is making People uncertain "
                   "of the future. This could mean that a lot of developers will go bankrupt if they do not "
                   "take the situation seriuos");
        return;
    }
    news.WorldNews = "The world economy is healthy.\r\n";
    news.WorldHeadline = "Sales are booming!";
    if (c.Economy >= 90) {
        news.WorldNews +=
            "People have a lot of money they are interested in using at their leisure time activities. "
            "Developers should take advantage of this";
    } else if (c.Economy >= 75) {
        news.WorldHeadline = "Sales are improving";
        news.WorldNews +=
            "People seems to get more and more money they are willing in investing in their leisure "
            "time activities. It is quite possible that some developers could make a great deal of "
            "money again";
    } else {
        news.WorldHeadline = "Sales starting to improve";
        news.WorldNews +=
            "The Worst is behind us. The Economic situation is stabilized and getting better by the "
            "minute. Developers that got through the crisis will have a golden opportunity to make a "
            "lot of money if the economic situation retains";
    }
}

void WriteMarketNews(TGameCore& game, bool firstWeek) {
    const auto& c = game.State.Company;
    TNewsTexts& news = game.News;
    const bool boom = c.BoomPlatform != NoBoomPlatform;
    const std::string platform = boom ? Platforms[c.BoomPlatform].ShortName : "";
    const std::string genre = c.HotGenre < GenreCount ? Genres[c.HotGenre].Name : "";
    if (firstWeek) {
        if (boom)
            news.HardwareNews = platform + " might be the next big hit!" + "\r\n" +
                                (c.Year - game.State.Platforms.ReleaseYear[c.BoomPlatform] > 3
                                     ? "Experts of the hardware business is suprised that this dated system "
                                       "seems to sell very well "
                                       "again."
                                     : "Experts of the hardware business is suprised how well this platform "
                                       "is suited for the home "
                                       "users.");
        news.GenreNews =
            genre + " is possibly the next big genre" + "\r\n" +
            "Experts of the developer business noticed from the latest sales charts and software shows "
            "that costumers  show a great interest in this particular Genre. As always Action games will "
            "probably sell reasonably well.";
        return;
    }
    if (boom)
        news.HardwareNews =
            game.Flags.BoomConfirmed
                ? platform + " sales is booming!" + "\r\n" +
                      "As Experts of the hardware business predicted in the begining of the year, the "
                      "sales of this platform is booming."
                : platform + " sales was overestimated" + "\r\n" +
                      "Experts expected the sales of this platform to boom. But until now the platform "
                      "does not seem to sell much better than other platforms.";
    news.GenreNews =
        game.Flags.GenreBoomConfirmed
            ? genre + " games is the next big hit!" + "\r\n" +
                  "As Experts expected. this genre is selling very well. As always Actions games will "
                  "properly sell reasonable well."
            : genre + " games selling less than expected!" + "\r\n" +
                  "Contrary to what all Experts predicted. The genre is not selling much better this "
                  "year. As always Actions games will properly sell reasonable well.";
}

} // namespace

void EvaluateEconomy(TGameCore& game) {
    const auto& c = game.State.Company;
    const bool firstWeek = c.Week == 1;
    if (c.Year >= 1984) {
        RollCrisis(game);
        if (firstWeek)
            Predict(game);
        else
            Confirm(game);
    }
    ShowEconomyLabel(game);
    WriteWorldNews(game);
    if (c.Year >= 1984) WriteMarketNews(game, firstWeek);
    game.News.BusinessNews.clear();
    if (FirstWeekOfGame(c))
        game.News.BusinessNews =
            "A new Games developer has been formed by " + c.PlayerName.Str() + ". " + "The company, " +
            c.CompanyName.Str() + ", plans to have their first game shipped later this year" + "\r\n" +
            "The company state that it has already got a deal with a known publisher and managed "
            "to hire some very competent developers.";
    game.Side.Headline = game.News.WorldHeadline;
    // A world built only to be replaced by a saved game has no news worth showing.
    if (!game.Flags.WorldBeforeLoad) game.Ui.ShowNewsWindow(game.News);
}
