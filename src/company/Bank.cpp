#include "company/Bank.h"

#include <algorithm>

#include "state/GameCore.h"

int LoanRateFor(int32_t loan) {
    return loan <= 100000 ? 8 : std::min(loan / 250000 + 8, 16);
}

int32_t WeeklyInterest(const TGameCore& game) {
    const auto& c = game.State.Company;
    const int64_t interest = (static_cast<int64_t>(c.Loan / 100) * c.LoanRate) / 52;
    return interest < 0 ? 0 : CheckedI32(interest);
}

int32_t CreditLeft(const TGameCore& game) {
    return CheckedSub(game.Tunables.CreditLine, game.State.Company.Loan);
}

bool CanBorrow(const TGameCore& game, int32_t amount) {
    return amount > 0 && static_cast<int64_t>(game.Tunables.CreditLine) - amount >= game.State.Company.Loan;
}

bool CanRepay(const TGameCore& game, int32_t amount) {
    const auto& c = game.State.Company;
    return amount > 0 && c.Money > amount && c.Loan >= amount;
}

TOutcome Borrow(TGameCore& game, int32_t amount) {
    auto& c = game.State.Company;
    if (!CanBorrow(game, amount)) return TOutcome::Refused();
    c.Money = CheckedAdd(c.Money, amount);
    c.Loan = CheckedAdd(c.Loan, amount);
    c.LoanRate = static_cast<uint8_t>(LoanRateFor(c.Loan));
    return TOutcome::Ok();
}

TOutcome Repay(TGameCore& game, int32_t amount) {
    auto& c = game.State.Company;
    if (!CanRepay(game, amount)) return TOutcome::Refused();
    c.Money -= amount;
    c.Loan -= amount;
    c.LoanRate = static_cast<uint8_t>(LoanRateFor(c.Loan));
    return TOutcome::Ok();
}

TOutcome FindInvestor(TGameCore& game) {
    auto& c = game.State.Company;
    auto& bank = game.State.Investor;
    if (!bank.FindEnabled) return TOutcome::Refused();
    bank.FindEnabled = false;
    if (c.HasInvestor) {
        game.Ui.ShowMessage("You already have an investor", "Investor", TMessageKind::Information);
        return TOutcome::Ok();
    }
    if (game.Random(10) < 3) {
        bank.OfferOpen = false;
        game.Ui.ShowMessage("No investor was interrested. Try again later.", "Investor",
                            TMessageKind::Information);
        return TOutcome::Ok();
    }
    bank.OfferOpen = true;
    const int64_t wealth = static_cast<int64_t>(c.Money) - c.Loan;
    bank.OfferAmount = c.Money > 0 && wealth > 0
                           ? CheckedI32(1000000 + static_cast<int64_t>(game.Random(CheckedI32(wealth))))
                           : 500000 + game.Random(100000);
    bank.OfferShare = 10 + game.Random(5);
    return TOutcome::Ok();
}

TOutcome AcceptInvestor(TGameCore& game) {
    auto& c = game.State.Company;
    auto& bank = game.State.Investor;
    if (!bank.OfferOpen) return TOutcome::Refused();
    bank.FindEnabled = false;
    bank.OfferOpen = false;
    c.HasInvestor = true;
    c.InvestorShare = static_cast<uint8_t>(bank.OfferShare);
    c.InvestorAmount = bank.OfferAmount;
    c.Money = CheckedAdd(c.Money, bank.OfferAmount);
    return TOutcome::Ok();
}

TOutcome DeclineInvestor(TGameCore& game) {
    auto& bank = game.State.Investor;
    if (!bank.OfferOpen) return TOutcome::Refused();
    bank.OfferOpen = false;
    bank.FindEnabled = true;
    return TOutcome::Ok();
}

uint32_t InvestorShareOf(const TGameCore& game, uint32_t income) {
    const auto& c = game.State.Company;
    if (c.HasInvestor) income -= (income / 100) * c.InvestorShare;
    return income;
}

void WeeklyBankStep(TGameCore& game) {
    AddTo(game.Tunables.CreditLine, 100000);
    if (!game.State.Company.HasInvestor) game.State.Investor.FindEnabled = true;
}
