#pragma once
// Demand for the seven genres and the genre lights.

class TGame;

void AdvanceGenres(TGame& game);
void RefreshGenreLights(TGame& game);
