#pragma once
// The bank and the investor: loans in fixed steps up to the credit line, the interest, and
// an investor who pays once for a share of every game's income.
#include <cstdint>
#include <string>

#include "state/Outcome.h"

class TGameCore;

int LoanRateFor(int32_t loan);
int32_t WeeklyInterest(const TGameCore& game);
// Refused (and nothing changes) when the bank will not lend or the studio cannot repay.
TOutcome Borrow(TGameCore& game, int32_t amount);
TOutcome Repay(TGameCore& game, int32_t amount);
bool CanBorrow(const TGameCore& game, int32_t amount);
bool CanRepay(const TGameCore& game, int32_t amount);
TOutcome FindInvestor(TGameCore& game);
TOutcome AcceptInvestor(TGameCore& game);
TOutcome DeclineInvestor(TGameCore& game);
// A game's weekly income after the investor's share.
uint32_t InvestorShareOf(const TGameCore& game, uint32_t income);
void WeeklyBankStep(TGameCore& game);
// "Max. new loan :" figure.
int32_t CreditLeft(const TGameCore& game);
