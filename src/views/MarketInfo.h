#pragma once
// The "Market Info" view: machines sold per platform with an estimate of those still in use,
// piracy and this week's sales; and the public's demand for every genre, in words.
#include <string>
#include <vector>

class TGameCore;

// How a platform row is printed: how long the platform's market still lasts.
enum class TMarketStyle { Normal, Warning, Ended };

struct TMarketLine {
    std::string Text;
    TMarketStyle Style = TMarketStyle::Normal;
};

struct TMarketView {
    // The heading line, an empty line, then one row per platform with machines sold.
    std::vector<TMarketLine> Platforms;
    // The heading line, an empty line, then one line per genre.
    std::vector<std::string> Genres;
};

// Rebuilds both lists from the state.
void ShowMarketInfo(const TGameCore& game, TMarketView& view);

// "A Little", "More than 33%", ... "All", or empty.
std::string InUseWord(double unitsSold, double unitsInUse);
// "Bad", "Below normal", "Normal", "Above Normal", "Very Good" or "Booming !!".
std::string DemandWord(int popularity);
// Normal while the market lasts beyond next year, a warning in its last year, ended after it.
TMarketStyle MarketStyle(int endYear, int year);
