#pragma once
// Starting a game: the world of a new game and its first week.
class TGame;
struct TNewGameChoices;

// Builds the world (also before a load) and plays its first week.
void BeginGame(TGame& game);
// A whole new game: the starting values, then the world and its first week.
void StartNewGame(TGame& game, const TNewGameChoices& choices);
