#include "views/Calendar.h"

#include <algorithm>

#include "dev/Release.h"
#include "sim/Sales.h"
#include "state/GameCore.h"
#include "state/PlatformTables.h"
#include "state/TextFields.h"

const char* const ReleasedListHint =
    "This list includes games that have already been released.\r\nSales of new games released to close to "
    "these games "
    "could \r\nhave their sales ruined. Especially if the released games has \r\na very high rating.";

void InitCalendarViews(TCalendarView& calendar, TFutureReleasesView& future) {
    TChoiceList& rating = calendar.RatingFilter;
    rating.Clear();
    rating.Add("All Games");
    for (int r = 1; r <= 9; ++r)
        rating.Add("With rating of " + std::to_string(r) + "/10 or better");
    rating.Selected = 0;
    TChoiceList& platforms = future.PlatformFilter;
    platforms.Clear();
    platforms.Add("All Platforms");
    for (const auto& platform : Platforms)
        platforms.Add(platform.ShortName);
    platforms.Selected = 0;
}

void ShowCalendar(TGameCore& game, TCalendarView& view, int startWeek) {
    const auto& c = game.State.Company;
    TChoiceList& genres = game.State.Lists.CalendarGenres;
    TChoiceList& platforms = game.State.Lists.CalendarPlatforms;
    if (!game.State.Development.ReleaseMode) {
        if (genres.Selected < 0 && genres.Count() > 0) genres.Selected = 0;
        if (platforms.Selected < 0 && platforms.Count() > 0) platforms.Selected = 0;
    }
    auto [w, y] = CalendarStart(startWeek, c.Year);
    view.ChooserItems.clear();
    for (int k = 0; k < 6; ++k)
        view.ChooserItems.push_back("week " + std::to_string(w + k));
    view.ChooserSelected = 0;
    view.ChooserYearLabel = ", " + std::to_string(y);
    w = std::min(w, 47);

    for (int k = 0; k < 6; ++k) {
        view.Columns[k].Title = "Week " + std::to_string(w + k) + ", " + std::to_string(y);
        view.Columns[k].Rows.clear();
    }
    view.Released.clear();
    const int genre = genres.Selected;
    const int platform = platforms.Selected >= 0 && platforms.Selected < platforms.Count()
                             ? PlatformOfChoice(platforms.Items[platforms.Selected])
                             : -1;
    if (platform < 0) return;
    const int minimumRating = std::max(view.RatingFilter.Selected, 0);
    const int b = w + (y - 1981) * 52;
    for (const TGameEntry& e : game.State.UpcomingGames) {
        if (e.Genre != genre || e.Platform != platform) continue;
        const int rating = ReviewRating(e.Quality);
        if (!e.Moved) {
            const int k = e.ReleaseWeek - w;
            if (e.ReleaseYear == y && k >= 0 && k <= 5 && minimumRating <= rating &&
                view.Columns[k].Rows.size() < 100)
                view.Columns[k].Rows.push_back(
                    {FitColumn(e.Title.Str(), 24), std::to_string(rating) + "/10"});
        } else {
            const int releaseYear = std::max(e.ReleaseYear, 1983);
            const int a = e.ReleaseWeek + (releaseYear - 1981) * 52;
            if (b - a < 10)
                view.Released.push_back(FitColumn(e.Title.Str(), 24) + " - " + std::to_string(rating) +
                                        "/10");
        }
    }
}

void OpenCalendar(TGameCore& game, TCalendarView& view) {
    view.Offset = 0;
    ShowCalendar(game, view, game.State.Company.Week + 1);
}

void CalendarNextWeeks(TGameCore& game, TCalendarView& view) {
    view.Offset = std::min(view.Offset + 6, 47);
    ShowCalendar(game, view, game.State.Company.Week + 1 + view.Offset);
}

void CalendarPreviousWeeks(TGameCore& game, TCalendarView& view) {
    view.Offset = std::max(view.Offset - 6, 0);
    ShowCalendar(game, view, game.State.Company.Week + 1 + view.Offset);
}

namespace {
std::string FutureColumns(const TGameEntry& e) {
    const std::string genre = e.Genre < GenreCount ? Genres[e.Genre].Name : "?";
    const std::string platform = e.Platform < PlatformCount ? Platforms[e.Platform].ShortName : "?";
    return FitColumn(e.Title.Str(), 24) + FitColumn(genre + " - ", 10) + FitColumn(platform + "  ", 10);
}
} // namespace

void BuildFutureReleases(const TGameCore& game, TFutureReleasesView& view) {
    const auto& c = game.State.Company;
    view.Text.clear();
    view.Total = 0;
    view.GenreCounts.fill(0);
    const int selected = std::max(view.PlatformFilter.Selected, 0);
    for (const TGameEntry& e : game.State.UpcomingGames) {
        if (e.Moved) continue;
        const bool passes = selected == 0 || selected == e.Platform + 1;
        if (!passes) continue;
        if (e.ReleaseYear == c.Year && e.ReleaseWeek != c.Week && e.ReleaseWeek - (c.Week + 1) < 52) {
            ++view.Total;
            if (e.Genre < GenreCount) ++view.GenreCounts[e.Genre];
            view.Text.push_back({FutureColumns(e) + "\n", TFeedStyle::FontNormal});
            const char* note = nullptr;
            TFeedStyle style = TFeedStyle::FontHeader1;
            if (e.Quality > 130) {
                note = " Note : Most game experts are ecstatic. Quote \"This could be the new benchmark...\"";
            } else if (e.Quality > 115) {
                note = " Note : Gaming experts think that this game might have the potential to blow the "
                       "opposition "
                       "away";
                style = TFeedStyle::FONTHEADER2;
            }
            if (note) {
                view.Text.push_back({std::string(note) + "\n", style});
                view.Text.push_back({" \n\n\n", TFeedStyle::FontNormal});
            }
        } else if (e.ReleaseYear == c.Year + 1 && view.NextYear && e.ReleaseWeek < 10) {
            view.Text.push_back({"(Next year) " + FutureColumns(e) + "\n", TFeedStyle::FontNormal});
        }
    }
}
