#include "dev/Project.h"

#include "state/Game.h"

// The project's weekly life arrives with game development.
void GrowProjectWork(TGame&) {}

void WeeklyProjectEffects(TGame&) {}

void WeeklyProjectProgress(TGame&) {}

void WeeklyQualityGain(TGame&) {}

void ProblemCheck(TGame&) {}
