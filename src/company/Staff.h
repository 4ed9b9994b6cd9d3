#pragma once
// Employees and assistants: the head count, the free office space and the counters that
// change staff numbers.
#include <string>

class TGame;

int CountEmployees(const TGame& game);
int FreeSpace(const TGame& game);

enum class TAssistantKind { Programmers, Musicians, Artists };

// The hire-assistants box of the development panel.
struct TAssistantsBox {
    std::string ErrorLine;
};

// One step of an assistant counter. Refused (false) without free space for a raise, or past
// the project leader's team limit; the error line says why in the second case.
bool StepAssistants(TGame& game, TAssistantKind kind, int step);
// The rule shared by every staff counter: a step down always, a step up only with room.
bool StaffStepAllowed(const TGame& game, int step);
// Recounts the employees after a staff number changed.
void StaffChanged(TGame& game);
std::string MonthlyWageText(const TGame& game);
