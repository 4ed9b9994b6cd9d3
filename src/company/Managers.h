#pragma once
// The hired managers: status lines and departures.

#include <string>

#include "company/ManagerGrids.h"

class TGame;

std::string ManagerStatusLine(const TGame& game, TManagerKind kind);
void ManagerDepartures(TGame& game);
