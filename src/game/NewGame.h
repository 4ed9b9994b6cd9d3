#pragma once
// Starting a game: the world of a new game and its first week.
class TGame;
struct TNewGameChoices;

// Builds the world (also before a load) and plays its first week.
void BeginGame(TGame& game);
// "Load Saved Game" once the start screen has closed: the save is read and checked first; then
// the world is built and plays its first week, the save replaces it, and the saved week is
// played. False when the save cannot be used: the player has been told why, LoadRequested is
// cleared and nothing of the game has changed.
bool LoadSavedGameAndPlay(TGame& game);
// A whole new game: the starting values, then the world and its first week.
void StartNewGame(TGame& game, const TNewGameChoices& choices);
