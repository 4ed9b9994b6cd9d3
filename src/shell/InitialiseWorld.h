#pragma once
class TGame;

// Builds the world of a new game (also run before a load) and plays its first week.
// Does nothing when the player chose to quit on the start screen.
void InitialiseWorld(TGame& game);
// The company values every game starts from (hired managers, office, knowledge, staff).
void CompanyDefaults(TGame& game);
