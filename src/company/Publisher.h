#pragma once
// The publisher contract.

class TGameCore;

void StartingPublisherDeal(TGameCore& game);
void WeeklyPublisherStep(TGameCore& game);
void ShowPublisherLabel(TGameCore& game);
