#pragma once
struct TBankPanel {
    bool FindInvestorEnabled = true;
};
