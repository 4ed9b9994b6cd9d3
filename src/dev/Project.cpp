#include "dev/Project.h"

#include "state/GameCore.h"

// The project's weekly life arrives with game development.
void GrowProjectWork(TGameCore&) {}

void WeeklyProjectEffects(TGameCore&) {}

void WeeklyProjectProgress(TGameCore&) {}

void WeeklyQualityGain(TGameCore&) {}

void ProblemCheck(TGameCore&) {}
