#pragma once
// The "Bank And Investors" panel: the loan, its rate and the credit left, borrowing and
// repaying in fixed steps, and the search for an investor with the offer to accept or turn down.
#include <vector>

#include "ui/panels/ContentPanel.h"

class TBankPanel : public TContentPanel {
    Q_OBJECT
public:
    TBankPanel(const TGame& game, TPanelHost& host, QWidget* parent = nullptr);

    void Render() override;

    QLabel* LoanLabel() const { return Loan; }
    QLabel* RateLabel() const { return Rate; }
    QLabel* CreditLabel() const { return Credit; }
    // "Borrow 50000", "Borrow 250000", "Repay 50000", "Repay 250000", "Find Investor", "OK", "Cancel".
    QPushButton* Button(const QString& text) const;
    QWidget* InvestorArea() const { return Investor; }
    QLabel* OfferAmountLabel() const { return OfferAmount; }
    QLabel* OfferShareLabel() const { return OfferShare; }

private:
    struct TLoanStep {
        QPushButton* Button;
        bool Borrowing;
        int32_t Amount;
    };
    std::vector<TLoanStep> LoanSteps;
    QLabel* Loan;
    QLabel* Rate;
    QLabel* Credit;
    QPushButton* FindInvestorButton;
    QWidget* Investor;
    QLabel* OfferAmount;
    QLabel* OfferShare;
    QPushButton* Accept;
    QPushButton* Decline;
};
