#include "ui/panels/BankPanel.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

#include "company/Bank.h"
#include "game/Game.h"
#include "ui/panels/PanelKit.h"
#include "ui/widgets/LinkButton.h"
#include "views/NumberText.h"

namespace {
// A bank front with columns, drawn for the panel's heading.
class TBankPicture : public QWidget {
public:
    explicit TBankPicture(QWidget* parent) : QWidget(parent) { setFixedSize(96, 72); }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        const QColor stone(226, 220, 200);
        const QColor shade(150, 142, 120);
        p.setPen(QPen(shade, 1));
        p.setBrush(stone);
        QPolygonF roof;
        roof << QPointF(6, 22) << QPointF(48, 4) << QPointF(90, 22);
        p.drawPolygon(roof);
        p.drawRect(QRectF(8, 22, 80, 6));
        for (int c = 0; c < 5; ++c)
            p.drawRect(QRectF(13 + c * 16, 30, 7, 30));
        p.drawRect(QRectF(4, 60, 88, 6));
        p.drawRect(QRectF(0, 66, 96, 5));
        QFont coin = font();
        coin.setBold(true);
        coin.setPixelSize(11);
        p.setFont(coin);
        p.setPen(QColor(160, 120, 20));
        p.drawText(QRectF(30, 10, 36, 12), Qt::AlignCenter, QStringLiteral("$"));
    }
};
} // namespace

TBankPanel::TBankPanel(const TGame& game, TPanelHost& host, QWidget* parent)
    : TContentPanel(QStringLiteral("Bank And Investors"), game, host, parent) {
    auto* layout = new QVBoxLayout(Body());
    layout->setContentsMargins(16, 12, 16, 0);
    layout->setSpacing(10);

    // The loan and what the bank still lends.
    auto* loanCard = MakeCard(Body());
    auto* loanLayout = new QGridLayout(loanCard);
    loanLayout->setContentsMargins(14, 8, 14, 12);
    loanLayout->setHorizontalSpacing(12);
    loanLayout->setVerticalSpacing(6);
    loanLayout->addWidget(MakeHeading(tr("Bank"), loanCard), 0, 0, 1, 3);
    Loan = MakeValue(loanCard);
    Rate = MakeValue(loanCard);
    Credit = MakeValue(loanCard);
    const struct {
        const char* Caption;
        QLabel* Value;
        QString Hint;
    } figures[] = {
        {"Current Loan:", Loan, tr("What you owe the bank. Interest is paid every week.")},
        {"Rate of interest:", Rate,
         tr("The yearly interest on your loan. A bigger loan costs a higher rate; it is set anew whenever "
            "you "
            "borrow or repay.")},
        {"Max. new loan :", Credit,
         tr("How much more the bank will lend you. The bank trusts you with more as "
            "time goes by.")},
    };
    int row = 1;
    for (const auto& figure : figures) {
        auto* caption = MakeCaption(QString::fromLatin1(figure.Caption), loanCard);
        SetHint(caption, figure.Hint);
        SetHint(figure.Value, figure.Hint);
        figure.Value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        figure.Value->setMinimumWidth(90);
        loanLayout->addWidget(caption, row, 0);
        loanLayout->addWidget(figure.Value, row, 1);
        ++row;
    }
    loanLayout->addWidget(new TBankPicture(loanCard), 1, 2, 3, 1, Qt::AlignRight | Qt::AlignVCenter);
    loanLayout->setColumnStretch(2, 1);

    auto* steps = new QGridLayout;
    steps->setSpacing(8);
    const struct {
        const char* Text;
        bool Borrowing;
        int32_t Amount;
    } buttons[] = {{"Borrow 50000", true, 50000},
                   {"Borrow 250000", true, 250000},
                   {"Repay 50000", false, 50000},
                   {"Repay 250000", false, 250000}};
    int index = 0;
    for (const auto& b : buttons) {
        const QString hint = b.Borrowing ? tr("Borrow %1 dollars more, up to the bank's limit").arg(b.Amount)
                                         : tr("Pay back %1 dollars of your loan").arg(b.Amount);
        auto* button = MakeActionButton(QString::fromLatin1(b.Text), hint, loanCard);
        steps->addWidget(button, index % 2, index / 2);
        const bool borrowing = b.Borrowing;
        const int32_t amount = b.Amount;
        connect(button, &QPushButton::clicked, this, [this, borrowing, amount] {
            if (borrowing)
                Act(TBorrow{.Amount = amount});
            else
                Act(TRepay{.Amount = amount});
        });
        LoanSteps.push_back({button, borrowing, amount});
        ++index;
    }
    loanLayout->addLayout(steps, row, 0, 1, 3);
    layout->addWidget(loanCard);

    // The investor: a sum paid once for a share of every game's income.
    auto* investorCard = MakeCard(Body());
    auto* investorLayout = new QVBoxLayout(investorCard);
    investorLayout->setContentsMargins(14, 8, 14, 12);
    investorLayout->setSpacing(6);
    investorLayout->addWidget(MakeHeading(tr("Investors"), investorCard));
    auto* about =
        MakeCaption(tr("An investor pays a sum once and takes a share of the income of every game you "
                       "sell, for as long as your company exists."),
                    investorCard);
    about->setWordWrap(true);
    investorLayout->addWidget(about);
    FindInvestorButton =
        MakeActionButton(QStringLiteral("Find Investor"),
                         tr("Look for an investor. If nobody is interested, try again later."), investorCard);
    investorLayout->addWidget(FindInvestorButton, 0, Qt::AlignLeft);
    connect(FindInvestorButton, &QPushButton::clicked, this, [this] { Act(TFindInvestor{}); });

    Investor = new QWidget(investorCard);
    Investor->setObjectName(QStringLiteral("InvestorArea"));
    auto* offer = new QGridLayout(Investor);
    offer->setContentsMargins(0, 4, 0, 0);
    offer->setHorizontalSpacing(8);
    OfferAmount = MakeValue(Investor);
    OfferShare = MakeValue(Investor);
    offer->addWidget(MakeCaption(QStringLiteral("Loan:"), Investor), 0, 0);
    offer->addWidget(OfferAmount, 0, 1);
    offer->addWidget(MakeCaption(QStringLiteral("Want:"), Investor), 1, 0);
    auto* share = new QHBoxLayout;
    share->setSpacing(0);
    share->addWidget(OfferShare);
    share->addWidget(new QLabel(QStringLiteral("%"), Investor));
    share->addSpacing(6);
    share->addWidget(new QLabel(QStringLiteral("of profit."), Investor));
    share->addStretch(1);
    offer->addLayout(share, 1, 1);
    Accept = MakeActionButton(QStringLiteral("OK"), tr("Take the investor's money for the share he wants"),
                              Investor);
    Decline = MakeActionButton(QStringLiteral("Cancel"),
                               tr("Turn the offer down; you may look again at once"), Investor);
    auto* answer = new QHBoxLayout;
    answer->addWidget(Accept);
    answer->addWidget(Decline);
    answer->addStretch(1);
    offer->addLayout(answer, 2, 0, 1, 3);
    offer->setColumnStretch(2, 1);
    SetHint(OfferAmount, tr("What the investor pays you"));
    SetHint(OfferShare, tr("The share of each game's income the investor wants in return"));
    investorLayout->addWidget(Investor);
    layout->addWidget(investorCard);
    layout->addStretch(1);

    connect(Accept, &QPushButton::clicked, this, [this] { Act(TAcceptInvestor{}); });
    connect(Decline, &QPushButton::clicked, this, [this] { Act(TDeclineInvestor{}); });
}

QPushButton* TBankPanel::Button(const QString& text) const {
    for (QPushButton* button : findChildren<QPushButton*>())
        if (button->text() == text) return button;
    return nullptr;
}

void TBankPanel::Render() {
    const auto& c = Game.State.Company;
    const auto& bank = Game.State.Investor;
    Loan->setText(QString::fromStdString(MoneyText(c.Loan)));
    Rate->setText(QString::number(c.LoanRate) + QStringLiteral("%"));
    Credit->setText(QString::fromStdString(MoneyText(CreditLeft(Game))));
    // A step the bank would refuse is greyed rather than left to do nothing.
    for (const TLoanStep& step : LoanSteps)
        step.Button->setEnabled(step.Borrowing ? CanBorrow(Game, step.Amount) : CanRepay(Game, step.Amount));
    FindInvestorButton->setEnabled(bank.FindEnabled);
    Investor->setEnabled(bank.OfferOpen);
    Accept->setEnabled(bank.OfferOpen);
    Decline->setEnabled(bank.OfferOpen);
    // The offer stays readable after it was answered, greyed with the area.
    OfferAmount->setText(bank.OfferAmount > 0 ? QString::fromStdString(MoneyText(bank.OfferAmount))
                                              : QString());
    OfferShare->setText(bank.OfferShare > 0 ? QString::number(bank.OfferShare) : QString());
}
