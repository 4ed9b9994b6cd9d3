#pragma once
// The company's weekly costs, the bankruptcy test and the money guard.

#include <cstdint>

class TGame;

void BankruptcyTest(TGame& game);
void EquipmentPriceRises(TGame& game);
void BookWeeklyCosts(TGame& game);
void CashWarning(TGame& game);
void MoneyGuard(TGame& game, int32_t openingMoney);
