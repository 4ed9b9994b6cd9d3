#pragma once
// The studio's game project, week by week.

class TGameCore;

void GrowProjectWork(TGameCore& game);
void WeeklyProjectEffects(TGameCore& game);
void WeeklyProjectProgress(TGameCore& game);
void WeeklyQualityGain(TGameCore& game);
void ProblemCheck(TGameCore& game);
