#include "company/Bank.h"

#include <algorithm>

#include "state/Game.h"

int LoanRateFor(int32_t loan) {
    return loan <= 100000 ? 8 : std::min(loan / 250000 + 8, 16);
}

int32_t WeeklyInterest(const TGame& game) {
    const auto& c = game.State.Company;
    const int64_t interest = (static_cast<int64_t>(c.Loan / 100) * c.LoanRate) / 52;
    return interest < 0 ? 0 : CheckedI32(interest);
}

int32_t CreditLeft(const TGame& game) {
    return CheckedSub(game.Tunables.CreditLine, game.State.Company.Loan);
}

bool Borrow(TGame& game, int32_t amount) {
    auto& c = game.State.Company;
    if (static_cast<int64_t>(game.Tunables.CreditLine) - amount < c.Loan) return false;
    c.Money = CheckedAdd(c.Money, amount);
    c.Loan = CheckedAdd(c.Loan, amount);
    c.LoanRate = static_cast<uint8_t>(LoanRateFor(c.Loan));
    game.Ui.StatusChanged();
    return true;
}

bool Repay(TGame& game, int32_t amount) {
    auto& c = game.State.Company;
    if (c.Money <= amount || c.Loan < amount) return false;
    c.Money -= amount;
    c.Loan -= amount;
    c.LoanRate = static_cast<uint8_t>(LoanRateFor(c.Loan));
    game.Ui.StatusChanged();
    return true;
}

void FindInvestor(TGame& game) {
    auto& c = game.State.Company;
    auto& bank = game.Panels.Bank;
    bank.FindInvestorEnabled = false;
    if (c.HasInvestor) {
        game.Ui.ShowMessage("You already have an investor", "Investor", TMessageKind::Information);
        return;
    }
    if (game.Random(10) < 3) {
        bank.InvestorAreaEnabled = false;
        game.Ui.ShowMessage("No investor was interrested. Try again later.", "Investor",
                            TMessageKind::Information);
        return;
    }
    bank.InvestorAreaEnabled = true;
    const int64_t wealth = static_cast<int64_t>(c.Money) - c.Loan;
    bank.OfferAmount = c.Money > 0 && wealth > 0
                           ? CheckedI32(1000000 + static_cast<int64_t>(game.Random(CheckedI32(wealth))))
                           : 500000 + game.Random(100000);
    bank.OfferShare = 10 + game.Random(5);
}

void AcceptInvestor(TGame& game) {
    auto& c = game.State.Company;
    auto& bank = game.Panels.Bank;
    if (!bank.InvestorAreaEnabled) return;
    bank.FindInvestorEnabled = false;
    bank.InvestorAreaEnabled = false;
    c.HasInvestor = true;
    c.InvestorShare = static_cast<uint8_t>(bank.OfferShare);
    c.InvestorAmount = bank.OfferAmount;
    c.Money = CheckedAdd(c.Money, bank.OfferAmount);
    game.Ui.StatusChanged();
}

void DeclineInvestor(TGame& game) {
    game.Panels.Bank.InvestorAreaEnabled = false;
    game.Panels.Bank.FindInvestorEnabled = true;
}

uint32_t InvestorShareOf(const TGame& game, uint32_t income) {
    const auto& c = game.State.Company;
    if (c.HasInvestor) income -= (income / 100) * c.InvestorShare;
    return income;
}

void WeeklyBankStep(TGame& game) {
    AddTo(game.Tunables.CreditLine, 100000);
    if (!game.State.Company.HasInvestor) game.Panels.Bank.FindInvestorEnabled = true;
}
