#pragma once
// The platform market: machines sold and in use, piracy, selling well, coming platforms and
// production stops, with their news; and the list of the best platforms.
class TGame;

void AdvancePlatforms(TGame& game);
void ReportMilestones(TGame& game, int platform);
// The machines a platform on sale sells this week, before production is checked.
int MachinesSold(TGame& game, int platform);
void ShiftPlatformSnapshots(TGame& game);
void ShowBestPlatforms(TGame& game);
