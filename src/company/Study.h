#pragma once
// The studio's standing work beside its games: studying platforms, making in-house tools,
// anti-piracy code and methods for platform independence, each aimed at one platform. The
// levels they build up shorten development, raise quality, cut piracy and improve ports.
#include <string>

#include "state/GameCore.h"
#include "state/Outcome.h"

extern const char* const StudyHints[StudyActivityCount];
// The longer text the "?" beside platform independence shows in its help box.
extern const char* const PortingHelp;

uint8_t& StudyPlatformOf(TGameCore& game, TStudyActivity activity);
uint8_t StudyPlatformOf(const TGameCore& game, TStudyActivity activity);
uint8_t& StudyStaffOf(TGameCore& game, TStudyActivity activity);
uint8_t StudyStaffOf(const TGameCore& game, TStudyActivity activity);
const TChoiceList& StudyPlatformList(const TGameCore& game, TStudyActivity activity);

// A tool, anti-piracy or porting level (0..1000) as the panel's per cent.
inline int LevelPercent(int level) {
    return (level + 1) / 10;
}

// Opening the panel: every activity's display. The study display also writes the side panel's
// "Studying" caption.
void ShowStudyDisplays(TGameCore& game);
// One activity's display; after a platform change the tools' "Current :" is put in brackets.
void ShowActivityDisplay(TGameCore& game, TStudyActivity activity, bool afterChange);

// "Choose Platform": the activity's platform, which must be one of its list.
TOutcome ChooseStudyPlatform(TGameCore& game, TStudyActivity activity, int platform);
// Moves the activity's counter (0..100) to count one step at a time; a step up needs free
// office space. Stops at the first refused step; the steps taken stay.
TOutcome SetStudyStaff(TGameCore& game, TStudyActivity activity, int count);

// The week's work of the four activities: one draw per employee.
void WeeklyStudy(TGameCore& game);
// Holds tool, anti-piracy and porting levels at 1000 and knowledge at 100.
void ClampLevels(TGameCore& game);
