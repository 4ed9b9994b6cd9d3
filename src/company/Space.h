#pragma once
// Office space and head count: how many people the offices hold and how many work there.
class TGameCore;

// Space of the headquarters, the additional offices and the rented rooms.
int OfficeSpace(const TGameCore& game);
int CountEmployees(const TGameCore& game);
int FreeSpace(const TGameCore& game);
// The rule shared by every staff counter: a step down always, a step up only with room.
bool StaffStepAllowed(const TGameCore& game, int step);
// Recounts the employees after a staff number changed.
void StaffChanged(TGameCore& game);
