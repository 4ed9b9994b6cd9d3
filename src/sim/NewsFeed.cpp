#include "sim/NewsFeed.h"

#include "state/GameCore.h"

void ClearFeed(TGameCore& game) {
    game.Feed.Runs.clear();
}

void WriteFeedHeading(TGameCore& game) {
    const auto& c = game.State.Company;
    game.Feed.AddLine(" ");
    game.Feed.Append("NEWS @ Week " + std::to_string(c.Week) + ", " + std::to_string(c.Year),
                     TFeedStyle::FONTMAIN);
    game.Feed.AddLine("");
    game.Feed.AddLine("");
}

void ReportNews(TGameCore& game, const std::string& message, TFeedStyle style) {
    game.Feed.AddLine(" ");
    game.Feed.Append(message, style);
    game.Feed.AddLine("");
    game.Feed.AddLine(" ");
}
