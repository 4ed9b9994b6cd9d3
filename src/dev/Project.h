#pragma once
// The studio's game project, week by week.

class TGame;

void GrowProjectWork(TGame& game);
void WeeklyProjectEffects(TGame& game);
void WeeklyProjectProgress(TGame& game);
void WeeklyQualityGain(TGame& game);
void ProblemCheck(TGame& game);
