#pragma once
// Magazine previews: while a game is in its last 30 weeks the player may send it to a magazine.
// The preview changes nothing in the game; it is a noisy report of how the game is shaping up,
// written at the next End Of Week into the news feed and the "Preview Feedback" panel.
#include <string>

#include "state/Outcome.h"

class TGameCore;

constexpr int PreviewWeeksLimit = 30;

// "Preview Game": refused with a message unless a game is being developed with at most 30 weeks
// left; otherwise the game goes to the magazine and the preview arrives next week.
TOutcome RequestPreview(TGameCore& game);
// End Of Week's preview of the project, after the calendar has moved on; clears the request.
void WritePreview(TGameCore& game);

// The verdicts, by the quality the game is heading for (target plus hype so far).
std::string FeedVerdict(double q);
std::string PanelVerdict(double q);
// The remarks, by the lead designer's and the lead programmer's ratings (none above 100).
std::string GraphicsRemark(int rating);
std::string GameplayRemark(int rating);
// The line about the release date, by the weeks left (none for 11..14).
std::string ReleaseDateLine(int weeksLeft);
