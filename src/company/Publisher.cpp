#include "company/Publisher.h"

#include "state/GameCore.h"

// Deals and offers arrive with the publishers.
void StartingPublisherDeal(TGameCore&) {}

void WeeklyPublisherStep(TGameCore&) {}

void ShowPublisherLabel(TGameCore& game) {
    game.Side.Publisher = std::to_string(game.State.PublisherDeal.WeeksLeft) + " Week(s)";
}
