#include "sim/NewsFeed.h"

#include "state/Game.h"

std::string TNewsFeed::PlainText() const {
    std::string text;
    for (const auto& run : Runs)
        text += run.Text;
    return text;
}

void ClearFeed(TGame& game) {
    game.Feed.Runs.clear();
}

void WriteFeedHeading(TGame& game) {
    const auto& c = game.State.Company;
    game.Feed.AddLine(" ");
    game.Feed.Append("NEWS @ Week " + std::to_string(c.Week) + ", " + std::to_string(c.Year),
                     TFeedStyle::FONTMAIN);
    game.Feed.AddLine("");
    game.Feed.AddLine("");
}

void ReportNews(TGame& game, const std::string& message, TFeedStyle style) {
    game.Feed.AddLine(" ");
    game.Feed.Append(message, style);
    game.Feed.AddLine("");
    game.Feed.AddLine(" ");
}
