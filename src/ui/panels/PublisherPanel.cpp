#include "ui/panels/PublisherPanel.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QSpinBox>
#include <QVBoxLayout>

#include "company/Publisher.h"
#include "game/Game.h"
#include "ui/panels/PanelKit.h"
#include "ui/widgets/Cp1252.h"
#include "ui/widgets/LinkButton.h"

namespace {

// The extras are shown, not chosen: the deal decides them.
QCheckBox* ExtraBox(int extra, QWidget* parent) {
    auto* box = new QCheckBox(FromCp1252(ExtraCaptions[extra - 1]), parent);
    box->setAttribute(Qt::WA_TransparentForMouseEvents);
    box->setFocusPolicy(Qt::NoFocus);
    SetHint(box, QObject::tr("Help the publisher gives: every extra makes your games better"));
    return box;
}

QPushButton* HelpButton(QWidget* parent) {
    auto* button = new QPushButton(QStringLiteral("?"), parent);
    button->setObjectName(QStringLiteral("SideToggle"));
    button->setCursor(Qt::PointingHandCursor);
    button->setFixedWidth(26);
    return button;
}

QString PatienceColor(TPatienceColor color) {
    switch (color) {
    case TPatienceColor::Lime:
        return QStringLiteral("#00ff00");
    case TPatienceColor::Green:
        return QStringLiteral("#008000");
    case TPatienceColor::Yellow:
        return QStringLiteral("#ffff00");
    default:
        return QStringLiteral("#ff0000");
    }
}

} // namespace

TPublisherPanel::TPublisherPanel(const TGame& game, TPanelHost& host, QWidget* parent)
    : TContentPanel(QStringLiteral("Publishers Deal"), game, host, parent) {
    auto* page = MakeScrollingPage(Body());
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(12, 10, 12, 6);
    layout->setSpacing(10);

    // The deal that runs now.
    auto* deal = MakeCard(page);
    auto* dealLayout = new QGridLayout(deal);
    dealLayout->setContentsMargins(14, 8, 14, 12);
    dealLayout->setHorizontalSpacing(10);
    dealLayout->setVerticalSpacing(4);
    auto* dealHelp = HelpButton(deal);
    SetHint(dealHelp, tr("What the objective means"));
    dealLayout->addWidget(MakeHeading(QStringLiteral("Current Publisher Deal"), deal), 0, 0, 1, 2);
    dealLayout->addWidget(dealHelp, 0, 2, Qt::AlignRight);
    DealPublisher = MakeValue(deal);
    DealLength = MakeValue(deal);
    DealShare = MakeValue(deal);
    DealObjectiveWeeks = MakeValue(deal);
    SetHint(DealObjectiveWeeks, tr("Weeks left to reach the objective"));
    const std::pair<const char*, QLabel*> rows[] = {{"Publisher :", DealPublisher},
                                                    {"Contract length :", DealLength},
                                                    {"They get % of sales: :", DealShare},
                                                    {"Objective:", DealObjectiveWeeks}};
    int row = 1;
    for (const auto& [caption, value] : rows) {
        dealLayout->addWidget(MakeCaption(QString::fromLatin1(caption), deal), row, 0);
        dealLayout->addWidget(value, row, 1, 1, 2);
        ++row;
    }
    auto* objectiveRow = new QHBoxLayout;
    DealReached = new QCheckBox(deal);
    DealReached->setAttribute(Qt::WA_TransparentForMouseEvents);
    DealReached->setFocusPolicy(Qt::NoFocus);
    SetHint(DealReached, tr("Ticked once one of your games has reached the objective"));
    DealObjective = MakeValue(deal);
    objectiveRow->addWidget(DealReached);
    objectiveRow->addWidget(DealObjective, 1);
    dealLayout->addLayout(objectiveRow, row++, 1, 1, 2);
    dealLayout->addWidget(MakeCaption(QStringLiteral("Deal Includes"), deal), row++, 0, 1, 3);
    for (int extra = 1; extra <= 8; ++extra) {
        QCheckBox* box = ExtraBox(extra, deal);
        dealLayout->addWidget(box, row + (extra - 1) / 2, (extra - 1) % 2 == 0 ? 0 : 1, 1,
                              (extra - 1) % 2 == 0 ? 1 : 2);
        DealExtras[static_cast<size_t>(extra - 1)] = box;
    }
    row += 4;
    auto* finds = new QVBoxLayout;
    finds->setSpacing(0);
    const char* const findTexts[3] = {"Find new small-time publisher", "Find new medium-size publisher",
                                      "Find new large-capacity publisher"};
    const char* const findHints[3] = {"Any studio can deal with a small publisher",
                                      "Needs a top 30 game in the last three years and a bigger office",
                                      "Needs a top 10 game this year or last, and the biggest office"};
    for (int size = 0; size < 3; ++size) {
        auto* link = new TLinkButton(QString::fromLatin1(findTexts[size]), tr(findHints[size]), deal);
        finds->addWidget(link, 0, Qt::AlignLeft);
        Find[static_cast<size_t>(size)] = link;
        connect(link, &QPushButton::clicked, this, [this, size] { Act(TFindPublisher{.Size = size}); });
    }
    dealLayout->addLayout(finds, row, 0, 1, 3);
    dealLayout->setColumnStretch(1, 1);
    layout->addWidget(deal);
    connect(dealHelp, &QPushButton::clicked, this, [this] {
        Game.Ui.ShowMessage(CurrentDealHelp, "Current Publisher Deal", TMessageKind::Information);
    });

    // The negotiation with the publisher found.
    Negotiation = MakeCard(page);
    auto* talk = new QGridLayout(Negotiation);
    talk->setContentsMargins(14, 8, 14, 12);
    talk->setHorizontalSpacing(10);
    talk->setVerticalSpacing(4);
    auto* talkHelp = HelpButton(Negotiation);
    SetHint(talkHelp, tr("How a publisher weighs your terms"));
    talk->addWidget(MakeHeading(tr("Negotiation"), Negotiation), 0, 0, 1, 2);
    talk->addWidget(talkHelp, 0, 2, Qt::AlignRight);
    OfferPublisher = MakeValue(Negotiation);
    OfferLength = MakeValue(Negotiation);
    talk->addWidget(MakeCaption(QStringLiteral("Publisher:"), Negotiation), 1, 0);
    talk->addWidget(OfferPublisher, 1, 1, 1, 2);
    talk->addWidget(MakeCaption(QStringLiteral("Contract length:"), Negotiation), 2, 0);
    talk->addWidget(OfferLength, 2, 1, 1, 2);
    talk->addWidget(MakeCaption(QStringLiteral("Publisher Offers your company :"), Negotiation), 3, 0, 1, 3);
    for (int extra = 1; extra <= 8; ++extra) {
        QCheckBox* box = ExtraBox(extra, Negotiation);
        talk->addWidget(box, 4 + (extra - 1) / 2, (extra - 1) % 2 == 0 ? 0 : 1, 1,
                        (extra - 1) % 2 == 0 ? 1 : 2);
        OfferExtras[static_cast<size_t>(extra - 1)] = box;
    }
    Share = new QSpinBox(Negotiation);
    Share->setRange(1, 33);
    Share->setSuffix(QStringLiteral("%"));
    SetHint(Share, tr("The publisher's share of your games' income: the lower the better for you"));
    Fee = new QLineEdit(Negotiation);
    // Digits and full stops only; the full stops group the digits.
    Fee->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9.]*")), Fee));
    Fee->setMaxLength(OfferFeeLength);
    SetHint(
        Fee,
        tr("The fee your studio pays the publisher when you sign: a higher fee persuades him more easily"));
    Objective = new QSpinBox(Negotiation);
    Objective->setRange(1, 100);
    SetHint(Objective,
            tr("One of your games must reach this place in the sales chart, or the fee is paid again"));
    auto* shareRow = new QHBoxLayout;
    shareRow->addWidget(Share);
    shareRow->addStretch(1);
    talk->addWidget(MakeCaption(QStringLiteral("Give them (of sales):"), Negotiation), 8, 0);
    talk->addLayout(shareRow, 8, 1, 1, 2);
    auto* feeRow = new QHBoxLayout;
    feeRow->addWidget(Fee);
    feeRow->addWidget(MakeCaption(QStringLiteral("$"), Negotiation));
    feeRow->addStretch(1);
    talk->addWidget(MakeCaption(QStringLiteral("Signing Fee:"), Negotiation), 9, 0);
    talk->addLayout(feeRow, 9, 1, 1, 2);
    auto* objectiveTerms = new QHBoxLayout;
    objectiveTerms->addWidget(MakeCaption(QStringLiteral("Produce a top"), Negotiation));
    objectiveTerms->addWidget(Objective);
    objectiveTerms->addStretch(1);
    talk->addWidget(MakeCaption(QStringLiteral("Objective:"), Negotiation), 10, 0);
    talk->addLayout(objectiveTerms, 10, 1, 1, 2);
    Status = new QLabel(Negotiation);
    Status->setObjectName(QStringLiteral("PatienceLine"));
    SetHint(Status, tr("How patient the publisher still is"));
    talk->addWidget(Status, 11, 0, 1, 3);
    auto* buttons = new QHBoxLayout;
    Offer = MakeActionButton(QStringLiteral("Offer Deal"), tr("Propose these terms to the publisher"),
                             Negotiation);
    Sign = MakeActionButton(QStringLiteral("Sign"), tr("Sign the deal the publisher agreed to"), Negotiation);
    buttons->addWidget(Offer);
    buttons->addWidget(Sign);
    buttons->addStretch(1);
    talk->addLayout(buttons, 12, 0, 1, 3);
    talk->setColumnStretch(1, 1);
    layout->addWidget(Negotiation);
    layout->addStretch(1);

    connect(talkHelp, &QPushButton::clicked, this,
            [this] { Game.Ui.ShowMessage(NegotiationHelp, "Negotiation", TMessageKind::Information); });
    connect(Offer, &QPushButton::clicked, this, [this] {
        // The full stops only group the digits; the field keeps the number without them.
        const QString fee = Fee->text().remove(QLatin1Char('.'));
        Fee->setText(fee);
        Act(TOfferDeal{.Share = Share->value(), .Objective = Objective->value(), .Fee = fee.toStdString()});
    });
    connect(Sign, &QPushButton::clicked, this, [this] { Act(TSignDeal{}); });
}

void TPublisherPanel::FillTerms() {
    const TDealTerms& terms = Game.State.Publishers.Terms;
    Share->setValue(terms.Share);
    Objective->setValue(terms.Objective);
    Fee->setText(FromCp1252(terms.Fee));
}

void TPublisherPanel::Render() {
    const TPublisherDeal& deal = Game.State.PublisherDeal;
    const TPublisherSearch& search = Game.State.Publishers;
    DealPublisher->setText(FromCp1252(deal.Publisher.Str()));
    DealLength->setText(QString::number(deal.WeeksLeft) + QStringLiteral(" Week(s)"));
    DealShare->setText(QString::number(deal.SalesShare) + QStringLiteral("%"));
    DealObjectiveWeeks->setText(QStringLiteral("(%1)").arg(deal.TargetWeeks));
    DealObjective->setText(QStringLiteral("Produce a top %1 Game").arg(deal.TargetPos));
    DealReached->setChecked(Game.Flags.ObjectiveReached);
    for (int extra = 1; extra <= 8; ++extra)
        DealExtras[static_cast<size_t>(extra - 1)]->setChecked(deal.Extras[extra]);
    for (int size = 0; size < 3; ++size)
        Find[static_cast<size_t>(size)]->setEnabled(search.FindEnabled[static_cast<size_t>(size)]);

    Negotiation->setVisible(search.Negotiating);
    const TPublisherDeal& offer = Game.State.PublisherOffer;
    // A fresh offer shows the publisher's own terms; during the talks the player's stay.
    if (search.Negotiating && (!WasNegotiating || search.Status.empty())) FillTerms();
    WasNegotiating = search.Negotiating;
    OfferPublisher->setText(FromCp1252(offer.Publisher.Str()));
    OfferLength->setText(QString::number(offer.WeeksLeft));
    for (int extra = 1; extra <= 8; ++extra)
        OfferExtras[static_cast<size_t>(extra - 1)]->setChecked(offer.Extras[extra]);
    Status->setText(FromCp1252(search.Status));
    Status->setStyleSheet(
        QStringLiteral("color: %1; font-weight: bold;").arg(PatienceColor(search.StatusColor)));
    Sign->setEnabled(search.SignEnabled);
}
