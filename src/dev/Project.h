#pragma once
// The studio's game project: setting it up on the Development panel, its work and quality week
// by week, the problems it meets and the moment it is ready for release.
#include <string>

#include "state/Outcome.h"

class TGameCore;

constexpr int ProjectNameLength = 20; // what the name box takes
extern const char* const TechnologyItems[3];
constexpr int DefaultTechnology = 1; // "Up-to-date"
extern const char* const OptionNames[4];
enum class TProjectOption { Beta, Demo, MultiPlay, Extras };
extern const char* const TechnologyHint;

// "Start New Project": the setup opens with "New Game" and the first platform.
TOutcome StartNewProject(TGameCore& game);
// Fills the project slot from the panel's choices (the first platform of the list).
void InitProjectSlot(TGameCore& game, int slot);
// Why a typed game name cannot be kept, or empty when it can: the saved game lists separate
// their fields with ";".
std::string GameNameProblem(const std::string& name);
// "Start project" with the name typed in the box.
TOutcome StartProject(TGameCore& game, const std::string& name);
// The work model: total work, weeks left, the bars and captions; while a project runs also the
// quality target, and once all work is done (and not estimateOnly) the readiness. Returns true
// when at least one week of work remains (meaningful with estimateOnly).
bool RecalculateProject(TGameCore& game, int slot, bool estimateOnly);
// The menu's "Development" link: a fresh estimate of the project. Without a project there is
// nothing to estimate, and the side panel keeps saying so.
TOutcome OpenDevelopment(TGameCore& game);
// The setup's choices, each followed by a new estimate.
TOutcome ChooseProjectGenre(TGameCore& game, int genre);
TOutcome ChooseProjectPlatform(TGameCore& game, int platform);
TOutcome SetTechnology(TGameCore& game, int level);
// "Beta Testing" is put back when no work would remain with it.
TOutcome SetProjectOption(TGameCore& game, TProjectOption option, bool ticked);
TOutcome SetAdvertising(TGameCore& game, int level);
// "Cancel Project", after the player confirms.
TOutcome CancelProject(TGameCore& game);
// The panel and slot 1 back to the not-started state.
void ResetProject(TGameCore& game);
// The tool level's cut of the total work, band by band.
int ToolDiscount(int work, int toolLevel);

// Every fourth week the work sizes of future projects grow.
void GrowProjectWork(TGameCore& game);
// Knowledge gains, the advertising charge and the readiness check of a running project.
void WeeklyProjectEffects(TGameCore& game);
void WeeklyProjectProgress(TGameCore& game);
void WeeklyQualityGain(TGameCore& game);
void ComputeQualityTarget(TGameCore& game);
void MakeReady(TGameCore& game);
// Every sixth week a problem may add work, or scrap the project.
void ProblemCheck(TGameCore& game);
void ShowProblem(TGameCore& game);
// The option's tick on the panel.
bool& OptionTick(TGameCore& game, TProjectOption option);
