#pragma once
class TGameCore;

// Moves the calendar on by one week; at the change of year draws the next economy review
// week and does the year-end work.
void AdvanceCalendar(TGameCore& game);
// The player has reached the last playable date of the game database.
bool AtEndDate(const TGameCore& game);
