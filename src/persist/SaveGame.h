#pragma once
// Saving the game at the end of a turn.

class TGameCore;

void SaveGame(TGameCore& game);
