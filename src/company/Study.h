#pragma once
// Study, tools, anti-piracy and platform-independence work.

class TGameCore;

void WeeklyStudy(TGameCore& game);
void ClampLevels(TGameCore& game);
