#pragma once
// The publisher contract.

#include "state/Records.h"

class TGameCore;

// Quality points a deal's extras add to a game when it is ready: the publisher's size class + 3
// for each of the extras 1..8 that is set, whether or not the deal still runs.
int ExtrasQualityBonus(const TPublisherDeal& deal);

void StartingPublisherDeal(TGameCore& game);
void WeeklyPublisherStep(TGameCore& game);
void ShowPublisherLabel(TGameCore& game);
