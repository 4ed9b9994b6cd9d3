#pragma once
// The publisher contract.

class TGame;

void StartingPublisherDeal(TGame& game);
void WeeklyPublisherStep(TGame& game);
void ShowPublisherLabel(TGame& game);
