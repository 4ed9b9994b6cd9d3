#pragma once
// A state header that reaches up to the game: the check must refuse it.
#include "game/Game.h"
