#pragma once
// The bank and the investor.

class TGame;

void WeeklyBankStep(TGame& game);
