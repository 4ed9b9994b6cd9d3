#pragma once
// The platform market: machines sold, piracy, ageing, and the weekly snapshots.

class TGame;

void AdvancePlatforms(TGame& game);
void ShiftPlatformSnapshots(TGame& game);
void ShowBestPlatforms(TGame& game);
