#pragma once
// Demand for the seven genres: trends, weekly moves, revivals and saturation, and the lights.
class TGameCore;

void AdvanceGenres(TGameCore& game);
// The popularity change of a move draw r (1..8) for a trend, before the limits.
int GenreMove(int r, int trend, int popularity);
void RefreshGenreLights(TGameCore& game);
