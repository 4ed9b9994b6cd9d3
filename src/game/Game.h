#pragma once
// One running game: its core (the state the rules read and write, the random generator and
// the player interface), the view models the screens are drawn from, and the log of the
// player's actions. Two games can live side by side in one process.
#include <optional>
#include <string>
#include <vector>

#include "game/ActionLog.h"
#include "start/StartScreen.h"
#include "state/GameCore.h"
#include "views/Calendar.h"
#include "views/CompanyDetails.h"
#include "views/Finance.h"
#include "views/MarketInfo.h"
#include "views/SalesChart.h"
#include "views/StatusView.h"

// What the screens show, derived from the game's state; rebuilt after every action and week.
// Besides derived texts these hold only what the player is looking at or choosing before an
// action is applied (a filter, a page, the manager grid in front).
struct TViews {
    TStartScreen StartScreen;
    TManagersView Managers;
    TChartView Chart;
    TCalendarView Calendar;
    TFutureReleasesView FutureReleases;
    // "Financial Info": the table, the graph chosen and the copy of the history it shows.
    TFinanceView Finance;
    TMarketView Market;
    // "Company Details": the released games, the chosen row and its chart history.
    TCompanyView Company;
    // The message of the last refused action that its panel shows inline (the assistants'
    // error line); cleared by the next action.
    std::string InlineRefusal;
};

class TGame : private TAnswerRecorderBase, public TGameCore {
public:
    // Without a seed the generator starts from the clock; with one, the game replays exactly.
    explicit TGame(TPlayerInterface& ui, std::optional<uint32_t> seed = std::nullopt,
                   std::optional<TFolders> folders = std::nullopt);

    // Brings the view models up to date with the state (after an action or a week).
    void RefreshViews();

    TViews Views;
    // The actions applied so far, with their weeks and the answers given while they ran.
    TActionLog Log;
    // The interface the game was made with, without the recording layer.
    TPlayerInterface& PlayerUi() { return Recorder.Inner(); }
    // During a replay the answers come from the log instead of the player.
    void ReplayAnswers(const std::vector<std::string>& answers) { Recorder.Replay(answers); }

    friend class TActionScope;
};

// While it lives, the answers the player gives go into one action's log line.
class TActionScope {
public:
    TActionScope(TGame& game, std::vector<std::string>& answers) : Game(game) {
        Game.Recorder.RecordInto(&answers);
    }
    ~TActionScope() { Game.Recorder.RecordInto(nullptr); }
    TActionScope(const TActionScope&) = delete;
    TActionScope& operator=(const TActionScope&) = delete;

private:
    TGame& Game;
};
