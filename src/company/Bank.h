#pragma once
// The bank and the investor: loans in fixed steps up to the credit line, the interest, and
// an investor who pays once for a share of every game's income.
#include <cstdint>
#include <string>

class TGame;

int LoanRateFor(int32_t loan);
int32_t WeeklyInterest(const TGame& game);
// False (and nothing changes) when the bank will not lend or the studio cannot repay.
bool Borrow(TGame& game, int32_t amount);
bool Repay(TGame& game, int32_t amount);
void FindInvestor(TGame& game);
void AcceptInvestor(TGame& game);
void DeclineInvestor(TGame& game);
// A game's weekly income after the investor's share.
uint32_t InvestorShareOf(const TGame& game, uint32_t income);
void WeeklyBankStep(TGame& game);
// "Max. new loan :" figure.
int32_t CreditLeft(const TGame& game);
