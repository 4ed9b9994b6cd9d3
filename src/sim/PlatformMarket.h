#pragma once
// The platform market: machines sold and in use, piracy, selling well, coming platforms and
// production stops, with their news; and the list of the best platforms.
class TGameCore;

void AdvancePlatforms(TGameCore& game);
void ReportMilestones(TGameCore& game, int platform);
// The machines a platform on sale sells this week, before production is checked.
int MachinesSold(TGameCore& game, int platform);
void ShiftPlatformSnapshots(TGameCore& game);
void ShowBestPlatforms(TGameCore& game);
