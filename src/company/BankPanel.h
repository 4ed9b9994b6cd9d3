#pragma once
// The bank view: the investor area and its offer.
struct TBankPanel {
    bool FindInvestorEnabled = true;
    bool InvestorAreaEnabled = false;
    int OfferAmount = 0;
    int OfferShare = 0;
};
