#pragma once
// The company's weekly costs, the bankruptcy test and the money guard.

#include <cstdint>

class TGame;

void BankruptcyTest(TGame& game);
void EquipmentPriceRises(TGame& game);
// Wages, rents and equipment of one week: the monthly sum / 4.34, rounded.
int32_t WeeklyRunningCosts(const TGame& game);
void BookWeeklyCosts(TGame& game);
void CashWarning(TGame& game);
void MoneyGuard(TGame& game, int32_t openingMoney);
