#pragma once
// The week's news feed, kept as styled runs of text; the window renders the styles.
#include <string>

#include "state/Feed.h"

class TGameCore;
void ClearFeed(TGameCore& game);
void WriteFeedHeading(TGameCore& game);
void ReportNews(TGameCore& game, const std::string& message, TFeedStyle style);
