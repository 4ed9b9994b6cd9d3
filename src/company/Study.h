#pragma once
// Study, tools, anti-piracy and platform-independence work.

class TGame;

void WeeklyStudy(TGame& game);
void ClampLevels(TGame& game);
