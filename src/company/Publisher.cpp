#include "company/Publisher.h"

#include "state/Game.h"

// Deals and offers arrive with the publishers.
void StartingPublisherDeal(TGame&) {}

void WeeklyPublisherStep(TGame&) {}

void ShowPublisherLabel(TGame& game) {
    game.Panels.PublisherLabel = std::to_string(game.State.PublisherDeal.WeeksLeft) + " Week(s)";
}
