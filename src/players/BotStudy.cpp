#include "players/BotStudy.h"

#include <algorithm>
#include <vector>

#include "company/Space.h"
#include "company/Study.h"
#include "dev/Preview.h"
#include "game/Actions.h"
#include "game/Game.h"
#include "state/PlatformTables.h"

namespace {

// Seats kept free for the next project's team while study and tools staff are hired.
constexpr int TeamRoom = 8;

struct TStaffPlan {
    TStudyActivity Activity;
    int Wanted;
};
// Tools first: they shorten every game on the platform.
constexpr TStaffPlan Plan[] = {{TStudyActivity::Tools, 3},
                               {TStudyActivity::Study, 2},
                               {TStudyActivity::Porting, 2},
                               {TStudyActivity::AntiPiracy, 1}};

int32_t Level(const TGame& game, TStudyActivity activity, int platform) {
    const auto& c = game.State.Company;
    switch (activity) {
    case TStudyActivity::Study:
        return c.PlatformKnowledge[platform] * 10; // on the scale of the others
    case TStudyActivity::Tools:
        return c.ToolProgress[platform];
    case TStudyActivity::AntiPiracy:
        return c.AntiPiracy[platform];
    default:
        return c.PortingMethods[platform];
    }
}

bool Offered(const TChoiceList& list, int platform) {
    return std::any_of(list.Items.begin(), list.Items.end(),
                       [&](const std::string& item) { return PlatformOfChoice(item) == platform; });
}

// The studio's best game of the last few years: the most income.
int BestRecentGame(const TGame& game) {
    const auto& c = game.State.Company;
    const TGameList& released = game.State.ReleasedGames;
    int best = -1;
    for (int i = 0; i < released.RealCount(); ++i) {
        const TGameEntry& e = released[i];
        if (!e.ByPlayer || e.ReleaseYear < c.Year - 3) continue;
        if (best < 0 || e.Income > released[best].Income) best = i;
    }
    return best;
}

// The platform of the project list with the most machines in use that the title is not on yet,
// nor announced for, among the machines the studio knows well enough to port to.
constexpr int PortKnowledge = 30;
int PortTarget(const TGame& game, const TGameEntry& original) {
    const auto onPlatform = [&](const TGameList& list, int platform) {
        return std::any_of(list.begin(), list.end(), [&](const TGameEntry& e) {
            return e.Title.Str() == original.Title.Str() && e.Platform == platform;
        });
    };
    int best = -1;
    for (const std::string& item : game.State.Lists.ProjectPlatforms.Items) {
        const int platform = PlatformOfChoice(item);
        if (platform == original.Platform || onPlatform(game.State.ReleasedGames, platform) ||
            onPlatform(game.State.UpcomingGames, platform) ||
            game.State.Company.PlatformKnowledge[platform] < PortKnowledge)
            continue;
        if (best < 0 || game.State.Platforms.UnitsInUse[platform] > game.State.Platforms.UnitsInUse[best])
            best = platform;
    }
    return best;
}

// Where an activity's staff work: the platform the coming games are made for, or the one the
// best game was made for (porting), unless its level is full; then the next platform by
// machines in use.
int ActivityPlatform(const TGame& game, TStudyActivity activity) {
    const TChoiceList& list = StudyPlatformList(game, activity);
    if (activity == TStudyActivity::Porting) {
        const int best = BestRecentGame(game);
        if (best >= 0) {
            const int platform = game.State.ReleasedGames[best].Platform;
            if (Offered(list, platform) && Level(game, activity, platform) < 1000) return platform;
        }
    }
    const TDevelopment& d = game.State.Development;
    if (d.Stage != TProjectStage::NotStarted && d.Platform >= 0 && Offered(list, d.Platform) &&
        Level(game, activity, d.Platform) < 1000)
        return d.Platform;
    int chosen = -1;
    for (const std::string& item : list.Items) {
        const int platform = PlatformOfChoice(item);
        // Platforms not on sale yet have no machines in use worth speaking of.
        if (Level(game, activity, platform) >= 1000 || platform >= PlatformCount) continue;
        if (chosen < 0 || game.State.Platforms.UnitsInUse[platform] > game.State.Platforms.UnitsInUse[chosen])
            chosen = platform;
    }
    return chosen;
}

} // namespace

void BotStudies(TGame& game) {
    const auto& c = game.State.Company;
    // What the studio owns beyond its debt decides what it can spend on the long run.
    const int64_t wealth = static_cast<int64_t>(c.Money) - c.Loan;
    const int team = c.AssistProgrammers + c.AssistMusicians + c.AssistArtists;
    // Seats kept free for the next project's team.
    const int reserve = std::max(TeamRoom - team, 0);
    if (wealth > 2000000 && c.ExtraOffices < 3 && FreeSpace(game) - reserve < 4)
        Apply(game, TSetExtraOffices{.Count = c.ExtraOffices + 1});

    for (const TStaffPlan& plan : Plan) {
        const int platform = ActivityPlatform(game, plan.Activity);
        if (platform >= 0 && platform != StudyPlatformOf(game, plan.Activity))
            Apply(game, TChooseStudyPlatform{.Activity = plan.Activity, .Platform = platform});
        const int staff = StudyStaffOf(game, plan.Activity);
        // In debt the staff go; nobody works on a level that is full.
        int wanted = wealth < 0 || c.Money < 300000 || platform < 0 ? 0
                     : wealth > 1000000                             ? plan.Wanted
                                                                    : staff;
        wanted = std::min(wanted, staff + std::max(FreeSpace(game) - reserve, 0));
        if (wanted != staff) Apply(game, TSetStudyStaff{.Activity = plan.Activity, .Count = wanted});
    }
}

void BotAsksForPreview(TGame& game) {
    const TDevelopment& d = game.State.Development;
    const TProject& p = game.State.Projects[1];
    if (d.Stage != TProjectStage::InProgress || p.WeeksLeft > PreviewWeeksLimit ||
        game.Flags.PreviewRequested)
        return;
    // One preview of each game: the panel's first line names the game it last previewed.
    const auto& text = game.State.Preview.Text;
    if (!text.empty() && text.front().Text == "Preview of " + p.Name.Str() + "\n\n") return;
    Apply(game, TRequestPreview{});
}

bool BotPortsBestGame(TGame& game) {
    const TDevelopment& d = game.State.Development;
    if (d.Stage != TProjectStage::NotStarted) return false;
    // One port for every three new games.
    int announced = 0;
    for (const TGameEntry& e : game.State.UpcomingGames)
        announced += e.ByPlayer;
    if (d.PortsReleased * 3 >= announced - d.PortsReleased) return false;
    const int best = BestRecentGame(game);
    // A port is half the first game and half a new one: only a good game is worth it.
    if (best < 0 || game.State.ReleasedGames[best].ReleaseScore < 50) return false;
    const int platform = PortTarget(game, game.State.ReleasedGames[best]);
    if (platform < 0) return false;

    if (!Apply(game, TStartNewProject{})) return false;
    const std::string title = game.State.ReleasedGames[best].Title.Str();
    if (!Apply(game, TPortGame{.ReleasedIndex = best, .Platform = platform})) {
        // Not expected after the checks above; the set-up project is then made as a new game.
        Apply(game, TStartProject{.GameName = title + " Deluxe"});
        return true;
    }
    // Like the bot's new games: no extra work, the cheapest advertising.
    for (TProjectOption option :
         {TProjectOption::Beta, TProjectOption::Demo, TProjectOption::MultiPlay, TProjectOption::Extras})
        Apply(game, TSetProjectOption{.Option = option, .Ticked = false});
    Apply(game, TSetAdvertising{.Level = 1});
    Apply(game, TStartProject{.GameName = game.State.Projects[1].Name.Str()});
    return true;
}
