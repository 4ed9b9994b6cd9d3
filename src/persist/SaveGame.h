#pragma once
// Saving the game at the end of a turn.

class TGame;

void SaveGame(TGame& game);
