#include "company/Publisher.h"

#include "state/GameCore.h"

// Deals and offers arrive with the publishers.
void StartingPublisherDeal(TGameCore&) {}

void WeeklyPublisherStep(TGameCore&) {}

void ShowPublisherLabel(TGameCore& game) {
    game.Side.Publisher = std::to_string(game.State.PublisherDeal.WeeksLeft) + " Week(s)";
}

int ExtrasQualityBonus(const TPublisherDeal& deal) {
    int bonus = 0;
    for (int extra = 1; extra <= 8; ++extra)
        if (deal.Extras[extra]) bonus += deal.SizeClass + 3;
    return bonus;
}
