#pragma once
class TGameCore;

// Builds the world of a new game (also run before a load); the game then plays its first
// week. Does nothing when the player chose to quit on the start screen.
void InitialiseWorld(TGameCore& game);
// The company values every game starts from (hired managers, office, knowledge, staff).
void CompanyDefaults(TGameCore& game);
