// quillon-sim: plays a game without a window, driving the same rules as the game with a
// scripted player. Same seed, same output.
#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <optional>
#include <sstream>
#include <string>

#include "game/Actions.h"
#include "game/Game.h"
#include "game/GameSummary.h"
#include "game/Gesture.h"
#include "game/NewGame.h"
#include "persist/LoadGame.h"
#include "persist/ScratchFolder.h"
#include "players/Bot.h"
#include "players/ScriptedPlayer.h"
#include "start/Folders.h"
#include "start/GameDatabase.h"
#include "start/NewGame.h"
#include "start/StartScreen.h"
#include "state/CodePage.h"
#include "state/PlatformTables.h"
#include "state/TextFields.h"

namespace {

const char* const Usage = R"(Usage: quillon-sim [options]
Plays a game of Quillon without a window and prints one line per week and the score sheet.

  --seed N          seed of the random generator (default: from the clock; printed)
  --difficulty D    level of difficulty 1..3 (default 2)
  --weeks N         stop after N weeks (default: play until the game is over)
  --player NAME     player name (default "Sim Player")
  --company NAME    company name (default "Sim Studios")
  --json FILE       write a summary of the final state as one JSON object
  --data DIR        the folder with Database.pck (default: the program's own folder)
  --bot             let a simple built-in player manage the company (see src/players/Bot.h):
                    assistants, borrowing, an investor and repaying, study and tools,
                    previews and ports
  --browse          with --bot, also look at the screens each week as a player does: the
                    chart, calendar and future-release filters, the calendar's pages and the
                    finance graphs, through the window's gestures (of these only the calendar's
                    genre and platform choices are recorded)
  --record FILE     write the seed, the difficulty, the names and every action of the game
                    to FILE, one action a line
  --replay FILE     play the game FILE recorded again (seed, difficulty, names and actions
                    come from FILE; --bot, --seed and --weeks are ignored). Every line is
                    checked first: one that does not fit ends the program with status 1 and a
                    message naming the line
  --extra FILE      actions for the player to take besides the bot's, one a line as a replay
                    writes them ("1985 12 MoveOffice 1 | Yes"): each is applied at the start of
                    its week, before the bot's turn, with the answers given
  --save FILE       after the last week, save the game to FILE as "Save game && end turn"
                    does (which plays one more week); while a project is in progress the game
                    plays on until it has been released. With --replay, the recorded saves go
                    to FILE instead. A name without an extension gets ".rs", as every archive
  --load FILE       start from the game saved in FILE, as "Load Saved Game" does, then play
                    on (--weeks counts the weeks after the load); a save that cannot be used
                    ends the program with status 1. With --record the log holds the actions
                    after the load, and --replay of that log needs the same --load FILE
  --save-slot       as --save, into the game's own save (QlSave/sav.sav in the data folder),
                    where "Load Saved Game" of the window finds it
  --load-slot       as --load, from the game's own save
  --trace world     print, every week, the economy, the boom platform, the hot genre, every
                    genre's popularity and trend and every platform's machines sold and in use
  --trace chart     print the top ten of every weekly sales chart
  --help            this text

Messages the game shows go to stderr. Questions are answered "No".
)";

struct TOptions {
    std::optional<uint32_t> Seed;
    int Difficulty = 2;
    long Weeks = -1;
    std::string Player = "Sim Player";
    std::string Company = "Sim Studios";
    std::string JsonFile;
    std::string DataDir;
    std::string RecordFile;
    std::string ReplayFile;
    std::string SaveFile;
    std::string LoadFile;
    std::string ExtraFile;
    bool TraceWorld = false;
    bool TraceChart = false;
    bool Bot = false;
    bool Browse = false;
    bool SaveSlot = false;
    bool LoadSlot = false;
};

[[noreturn]] void Fail(const std::string& message) {
    std::cerr << "quillon-sim: " << message << "\n" << Usage;
    std::exit(2);
}

long ParseNumber(const std::string& option, const char* text, long lo, long hi) {
    char* end = nullptr;
    const long value = std::strtol(text, &end, 10);
    if (end == text || *end != '\0' || value < lo || value > hi)
        Fail(option + " needs a whole number in " + std::to_string(lo) + ".." + std::to_string(hi));
    return value;
}

// A name from the command line (UTF-8) in the game's code page, as the start screen takes it: no
// longer than its boxes, and refused where a character has no form there rather than stored as
// something else.
std::string GameText(const std::string& option, const char* value) {
    const TCp1252Conversion converted = Utf8ToCp1252(value);
    if (!converted.Text) Fail(option + ": " + converted.Problem);
    if (converted.Text->size() > StartNameLength)
        Fail(option + " takes at most " + std::to_string(StartNameLength) + " characters");
    return *converted.Text;
}

TOptions ParseOptions(int argc, char** argv) {
    TOptions options;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--bot" || arg == "--save-slot" || arg == "--load-slot") {
            (arg == "--bot"         ? options.Bot
             : arg == "--save-slot" ? options.SaveSlot
                                    : options.LoadSlot) = true;
            continue;
        }
        if (arg == "--browse") {
            options.Browse = true;
            continue;
        }
        if (arg == "--help" || arg == "-h") {
            std::cout << Usage;
            std::exit(0);
        }
        if (i + 1 >= argc) Fail("unknown option or missing value: " + arg);
        const char* value = argv[++i];
        if (arg == "--seed")
            options.Seed = static_cast<uint32_t>(ParseNumber(arg, value, 0, 4294967295L));
        else if (arg == "--difficulty")
            options.Difficulty = static_cast<int>(ParseNumber(arg, value, 1, 3));
        else if (arg == "--weeks")
            options.Weeks = ParseNumber(arg, value, 0, 100000);
        else if (arg == "--player")
            options.Player = GameText(arg, value);
        else if (arg == "--company")
            options.Company = GameText(arg, value);
        else if (arg == "--json")
            options.JsonFile = value;
        else if (arg == "--data")
            options.DataDir = value;
        else if (arg == "--record")
            options.RecordFile = value;
        else if (arg == "--replay")
            options.ReplayFile = value;
        else if (arg == "--save")
            options.SaveFile = value;
        else if (arg == "--load")
            options.LoadFile = value;
        else if (arg == "--extra")
            options.ExtraFile = value;
        else if (arg == "--trace") {
            const std::string trace = value;
            if (trace == "world")
                options.TraceWorld = true;
            else if (trace == "chart")
                options.TraceChart = true;
            else
                Fail("unknown trace: " + trace);
        } else
            Fail("unknown option: " + arg);
    }
    if ((options.SaveSlot && !options.SaveFile.empty()) || (options.LoadSlot && !options.LoadFile.empty()))
        Fail("--save-slot and --load-slot take the place of --save and --load");
    if (options.LoadSlot && (!options.ReplayFile.empty() || !options.RecordFile.empty()))
        Fail("--load-slot cannot be combined with --replay or --record: a replay starts from a new game");
    return options;
}

int OnMarket(const TGame& game) {
    int count = 0;
    for (const TGameEntry& e : game.State.ReleasedGames)
        count += !e.OffMarket;
    return count;
}

void PrintWeek(const TGame& game) {
    const auto& c = game.State.Company;
    std::printf("%4d W%02d  money %10d  loan %8d  economy %3d  employees %3d  announced %4d  on market %4d\n",
                c.Year, c.Week, c.Money, c.Loan, c.Economy, game.State.Employees,
                game.State.UpcomingGames.RealCount(), OnMarket(game));
}

std::string BoomPlatformName(int index) {
    return index < PlatformCount ? Platforms[index].ShortName : "none";
}

void TraceWorld(const TGame& game) {
    const auto& c = game.State.Company;
    const auto& t = game.State.Platforms;
    std::printf("  economy %d%s  boom %s  hot %s\n", c.Economy, c.EconomyFalling ? " (falling)" : "",
                BoomPlatformName(c.BoomPlatform).c_str(),
                c.HotGenre < GenreCount ? Genres[c.HotGenre].Name : "?");
    std::printf("  genres");
    for (int g = 0; g < GenreCount; ++g)
        std::printf(" %s %d%+d", Genres[g].Name, c.GenrePopularity[g], c.GenreTrend[g]);
    std::printf("\n");
    for (int i = 0; i < PlatformCount; ++i)
        if (t.ReleaseYear[i] <= c.Year)
            std::printf("  %-12s sold %9.0f  in use %9.0f  piracy %3d\n", Platforms[i].ShortName,
                        t.UnitsSold[i], t.UnitsInUse[i], t.Piracy[i]);
}

void TraceChart(const TGame& game) {
    const auto& rows = game.WeeklyChart.Rows;
    for (size_t i = 0; i < rows.size() && i < 10; ++i)
        std::printf("  %s\n", rows[i].Text.c_str());
}

void PrintScoreSheet(const TScoreSheet& sheet) {
    std::printf("\nGAME IS OVER\n");
    for (const auto& [title, value] : sheet.Rows)
        if (!title.empty()) std::printf("  %-18s %s\n", title.c_str(), value.c_str());
}

// The screens a player looks at between moves. The choices follow the week, never the game's
// generator, so looking changes nothing of the game; the replay of the game must agree.
void Browse(TGame& game, long week) {
    const auto pick = [week](int count, int salt) { return count > 0 ? int((week * 7 + salt) % count) : 0; };
    Act(game, MakeGesture(TChooseChartPlatform{pick(game.Views.Chart.Filter.Count(), 1)}));
    if (week % 5 == 0) Act(game, MakeGesture(TShowAllTimeBest{}));
    Act(game, MakeGesture(TOpenPanel{TOpenedPanel::Calendar}));
    Act(game, MakeGesture(TChooseCalendarGenre{pick(game.State.Lists.CalendarGenres.Count(), 2)}));
    Act(game, MakeGesture(TChooseCalendarPlatform{pick(game.State.Lists.CalendarPlatforms.Count(), 3)}));
    Act(game, MakeGesture(TChooseCalendarRating{pick(game.Views.Calendar.RatingFilter.Count(), 4)}));
    Act(game, MakeGesture(TTurnCalendarPage{week % 3 != 0}));
    Act(game, MakeGesture(TChooseFuturePlatform{pick(game.Views.FutureReleases.PlatformFilter.Count(), 5)}));
    Act(game, MakeGesture(TShowNextYearReleases{week % 2 == 0}));
    Act(game, MakeGesture(TOpenPanel{TOpenedPanel::Finance}));
    Act(game, MakeGesture(TChooseFinanceGraph{pick(5, 6)}));
    Act(game, MakeGesture(TOpenPanel{TOpenedPanel::CompanyDetails}));
    Act(game, MakeGesture(TChooseCompanyGame{1}));
}

void WriteJson(const std::string& file, const TGame& game, const TScriptedPlayer& player, uint32_t seed) {
    const std::optional<int> score =
        player.ScoreSheets.empty() ? std::nullopt : std::optional<int>(player.ScoreSheets.back().Score);
    std::ofstream out(file, std::ios::binary);
    out << GameSummaryJson(game, score, seed);
    if (!out) {
        std::cerr << "quillon-sim: cannot write " << file << "\n";
        std::exit(1);
    }
}

std::string ReadFile(const std::string& file) {
    std::error_code error;
    if (std::filesystem::is_directory(file, error)) {
        std::cerr << "quillon-sim: " << file << " is a folder, not a file\n";
        std::exit(1);
    }
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        std::cerr << "quillon-sim: cannot read " << file << "\n";
        std::exit(1);
    }
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// The week is over and shown, unless the game ended in it.
bool WeekPlayed(const TGame& game, const TScriptedPlayer& player, const TOptions& options) {
    if (!player.ScoreSheets.empty()) return false;
    PrintWeek(game);
    if (options.TraceWorld) TraceWorld(game);
    if (options.TraceChart) TraceChart(game);
    return true;
}

// True when the action ends the week it was applied in.
bool EndsWeek(const TPlayerAction& action, const TOutcome& outcome) {
    return std::holds_alternative<TEndOfWeekAction>(action) ||
           (std::holds_alternative<TSaveAndEndTurn>(action) && outcome.Done) ||
           std::holds_alternative<TQuitGame>(action);
}

// The player's own actions of the coming week (and any whose week has passed), in their order.
// False when one of them ended the game.
bool ApplyExtras(TGame& game, std::deque<TLoggedAction>& extras, const TScriptedPlayer& player,
                 const TOptions& options) {
    const auto& c = game.State.Company;
    while (!extras.empty() && (extras.front().Year < c.Year ||
                               (extras.front().Year == c.Year && extras.front().Week <= c.Week))) {
        const TLoggedAction logged = extras.front();
        extras.pop_front();
        const auto action = ParseAction(logged.Action);
        game.ReplayAnswers(logged.Answers);
        const TOutcome outcome = Apply(game, *action);
        if (EndsWeek(*action, outcome) && !WeekPlayed(game, player, options)) return false;
    }
    return true;
}

// "Save game && end turn" at the end of the run. It is refused while a project is in
// progress, so the game plays on until the project has been released.
bool SaveAtEnd(TGame& game, const TScriptedPlayer& player, const TOptions& options) {
    while (player.ScoreSheets.empty() && game.State.Projects[1].InProgress) {
        if (options.Bot) BotTakesTurn(game, false);
        if (!game.State.Projects[1].InProgress) break;
        Apply(game, TEndOfWeekAction{});
        if (!WeekPlayed(game, player, options)) break;
    }
    if (!player.ScoreSheets.empty()) {
        std::cerr << "quillon-sim: the game ended before it could be saved\n";
        return false;
    }
    const int32_t year = game.State.Company.Year;
    const int32_t week = game.State.Company.Week;
    if (!Apply(game, TSaveAndEndTurn{}).Done) return false;
    WeekPlayed(game, player, options);
    // The save holds the week it was made in, and nothing else will do.
    try {
        const TSavedGame saved = ReadSavedGame(game, options.SaveFile);
        if (saved.Company.Year != year || saved.Company.Week != week)
            throw EDataFile("it holds week " + std::to_string(saved.Company.Week) + " of " +
                            std::to_string(saved.Company.Year) + ", not the week saved");
    } catch (const std::exception& error) {
        std::cerr << "quillon-sim: the game was not saved to " << options.SaveFile << ": " << error.what()
                  << "\n";
        return false;
    }
    std::printf("Saved to %s\n", options.SaveFile.c_str());
    return true;
}

} // namespace

int main(int argc, char** argv) {
    TOptions options = ParseOptions(argc, argv);
    std::optional<TReplay> replay;
    std::deque<TLoggedAction> extras;
    try {
        if (!options.ReplayFile.empty()) replay = ParseReplay(ReadFile(options.ReplayFile));
        if (!options.ExtraFile.empty()) {
            const TActionLog lines = ParseActionLines(ReadFile(options.ExtraFile));
            extras.assign(lines.begin(), lines.end());
        }
    } catch (const EDataFile& error) {
        std::cerr << "quillon-sim: " << error.what() << "\n";
        return 1;
    }
    if (replay) {
        options.Seed = replay->Seed;
        options.Difficulty = replay->Difficulty;
        options.Player = replay->Player;
        options.Company = replay->Company;
    }
    const uint32_t seed = options.Seed.value_or(
        static_cast<uint32_t>(std::chrono::system_clock::now().time_since_epoch().count() % 1000000007));

    TScriptedPlayer player(stderr);
    TGame game(player, seed, options.DataDir.empty() ? DefaultFolders() : FoldersAt(options.DataDir));
    RemoveStaleTemporaries(game.Folders);
    std::printf("Quillon headless game, seed %u, difficulty %d\n", seed, options.Difficulty);
    if (options.SaveSlot) options.SaveFile = game.Folders.SaveArchive();
    if (options.LoadSlot) options.LoadFile = game.Folders.SaveArchive();

    // The competitor titles come from the game database beside the program; without it the
    // world still turns, only without them.
    const TNewGameChoices choices{options.Player, options.Company, options.Difficulty};
    if (!options.SaveFile.empty()) game.Folders.SaveArchiveFile = options.SaveFile;
    if (!options.LoadFile.empty()) {
        // As "Load Saved Game": a start with the database, then the save over the new world.
        game.Folders.SaveArchiveFile = options.LoadFile;
        if (!LoadGameDatabase(game)) return 1;
        PrepareNewGame(game, choices);
        game.Flags.LoadRequested = true;
        if (!LoadSavedGameAndPlay(game)) return 1;
        game.Folders.SaveArchiveFile = options.SaveFile;
        std::printf("Loaded %s\n", options.LoadFile.c_str());
    } else {
        if (LoadGameDatabase(game))
            PrepareNewGame(game, choices);
        else
            ApplyNewGameChoices(game, choices);
        BeginGame(game);
    }
    PrintWeek(game);
    if (options.TraceWorld) TraceWorld(game);
    if (replay) {
        for (const TLoggedAction& logged : replay->Actions) {
            // Every line was checked when the file was read.
            const auto action = ParseAction(logged.Action);
            game.ReplayAnswers(logged.Answers);
            const TOutcome outcome = Apply(game, *action);
            if (EndsWeek(*action, outcome) && !WeekPlayed(game, player, options)) break;
        }
    } else {
        for (long played = 1; player.ScoreSheets.empty() && (options.Weeks < 0 || played < options.Weeks);
             ++played) {
            if (!ApplyExtras(game, extras, player, options)) break;
            if (options.Bot) BotTakesTurn(game);
            if (options.Browse) Browse(game, played);
            Apply(game, TEndOfWeekAction{});
            if (!WeekPlayed(game, player, options)) break;
        }
    }
    if (!options.SaveFile.empty() && !replay && !SaveAtEnd(game, player, options)) return 1;
    if (!player.ScoreSheets.empty()) PrintScoreSheet(player.ScoreSheets.back());
    if (!options.JsonFile.empty()) WriteJson(options.JsonFile, game, player, seed);
    if (!options.RecordFile.empty()) {
        std::ofstream out(options.RecordFile, std::ios::binary);
        out << FormatReplay({seed, options.Difficulty, options.Player, options.Company, game.Log});
        if (!out) {
            std::cerr << "quillon-sim: cannot write " << options.RecordFile << "\n";
            return 1;
        }
    }
    return 0;
}
