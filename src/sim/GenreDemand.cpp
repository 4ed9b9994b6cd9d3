#include "sim/GenreDemand.h"

#include "state/Game.h"

// Genre trends and moves arrive with the world simulation.
void AdvanceGenres(TGame&) {}

void RefreshGenreLights(TGame&) {}
