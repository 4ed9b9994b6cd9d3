#pragma once
// Porting: a game the studio has released is developed again for another platform. The port
// takes the earlier game's title and genre, needs less base work, is made with "Old-fashioned"
// technology and is released with a quality between the earlier game's and its own. The
// studio's platform-independence methods for the platform the earlier game was made for make
// the port cheaper and better.
#include <string>

#include "state/Outcome.h"

class TGameCore;

extern const char* const PortLinkHint;

// What porting a game gives, from the earlier game's figure and the methods m (0..1000) of its
// platform: the port's starting figure (1 to 14 points above the earlier game's) and its base
// work.
int PortFinalCopy(int releaseScore, int methods);
int PortBaseWork(int newProjectWork, int methods);

// The porting dialog's "Choose" with the game at position releasedIndex of ReleasedGames
// (-1: the list is empty) and the chosen platform (-1: none), followed by the checks made once
// the dialog has closed. Only in the initial stage of a project.
TOutcome PortGame(TGameCore& game, int releasedIndex, int platform);
