#pragma once
// Office, space and equipment: the headquarters, additional offices, rented rooms and the
// state-of-the-art equipment.
#include <cstdint>
#include <string>

#include "state/Records.h"

class TGame;

extern const char* const BuildingItems[4];

int OfficeSpace(const TGame& game);
// The monthly price of the rented rooms and the equipment in use: from the boxes on the
// office panel, or (for the weekly bill) from the company record.
int MonthlyRent(const TGame& game);
int64_t MonthlyPrice(const TCompany& company, bool soundStudio, bool testCenter);
// Fills the office panel from the company record, as opening the panel does.
void ShowOfficePanel(TGame& game);
// Choosing another headquarters; the choice returns to the current building when refused.
void ChooseBuilding(TGame& game, int index);
// One step of the additional-offices counter; false when refused.
bool StepExtraOffices(TGame& game, int step);
enum class TEquipment { Graphics, Computers, Tools };
void SetEquipment(TGame& game, TEquipment which, bool on);
enum class TFacility { SoundStudio, TestCenter };
// Ticking asks whether to rent; unticking asks whether to terminate at six months' rent.
void SetFacility(TGame& game, TFacility which, bool ticked);
std::string EquipmentPriceText(const TGame& game, TEquipment which);
void CopyOfficeChoices(TGame& game);
