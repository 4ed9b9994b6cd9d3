#pragma once
// Assistants: the counters that change the team's size within the project leader's limit.
#include <string>

#include "state/Outcome.h"

class TGameCore;

enum class TAssistantKind { Programmers, Musicians, Artists };

int32_t& AssistantCount(TGameCore& game, TAssistantKind kind);
int32_t AssistantCount(const TGameCore& game, TAssistantKind kind);
// Moves an assistant counter to count, one step at a time as the counter's arrows would; a
// step up needs free space and stays within the team limit. Stops at the first refused step:
// the steps taken stay, and the team limit's refusal is the panel's error line.
TOutcome SetAssistants(TGameCore& game, TAssistantKind kind, int count);
std::string MonthlyWageText(const TGameCore& game);
