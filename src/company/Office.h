#pragma once
// Office, space and equipment: the headquarters, additional offices, rented rooms and the
// state-of-the-art equipment. The company record holds every choice.
#include <cstdint>
#include <string>

#include "state/Outcome.h"
#include "state/Records.h"

class TGameCore;

extern const char* const BuildingItems[4];

// The monthly price of the rented rooms and the equipment in use.
int MonthlyRent(const TGameCore& game);
int64_t MonthlyPrice(const TCompany& company);
// Moving to another headquarters; the old one is sold for half its price.
TOutcome MoveOffice(TGameCore& game, int index);
// Buys or sells additional offices, one at a time as the counter's arrows would, up to count.
TOutcome SetExtraOffices(TGameCore& game, int count);
enum class TEquipment { Graphics, Computers, Tools };
TOutcome SetEquipment(TGameCore& game, TEquipment which, bool on);
enum class TFacility { SoundStudio, TestCenter };
// Renting asks whether to rent; terminating asks whether to pay six months' rent for it.
TOutcome SetFacility(TGameCore& game, TFacility which, bool rented);
std::string EquipmentPriceText(const TGameCore& game, TEquipment which);
// The weekly copy of the office choices into the company record: the choices live there
// already, so only the difficulty's share of sales is set again.
void CopyOfficeChoices(TGameCore& game);
