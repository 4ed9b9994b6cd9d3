#pragma once
// The company's weekly costs, the bankruptcy test and the money guard.

#include <cstdint>

class TGameCore;

void BankruptcyTest(TGameCore& game);
void EquipmentPriceRises(TGameCore& game);
// Wages, rents and equipment of one week: the monthly sum / 4.34, rounded.
int32_t WeeklyRunningCosts(const TGameCore& game);
void BookWeeklyCosts(TGameCore& game);
void CashWarning(TGameCore& game);
void MoneyGuard(TGameCore& game, int32_t openingMoney);
