#include "ui/panels/OfficePanel.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

#include "company/Space.h"
#include "game/Actions.h"
#include "game/Game.h"
#include "ui/panels/PanelKit.h"
#include "ui/widgets/BlinkLabel.h"
#include "ui/widgets/BuildingPicture.h"
#include "ui/widgets/Counter.h"
#include "ui/widgets/Cp1252.h"
#include "ui/widgets/LinkButton.h"
#include "views/NumberText.h"

namespace {
const char* const BuildingsHint = "Bigger offices gives more office space. \r\nIt also gives possibility for "
                                  "your company to get better publishers contracts.";
const char* const ExtraOfficesNote =
    "200.000$ each new office. \r\nSell for 150.000$. \r\nSpace for 2 more employees";
const char* const EquipmentCaptions[3] = {"State-of-the-art graphical equipment.",
                                          "State-of-the-art computers/consoles.",
                                          "State-of-the-art Development tools."};
const struct {
    const char* Caption;
    const char* Hint;
} FacilityTexts[2] = {
    {"Rent Sound Studio (Space +2)  monthly rent 30000$",
     "A sound studio can Improve your games overall rating."},
    {"Rent Test center.(Space for +2). Monthly Rent 25000$",
     "A Test center can Improve your games overall rating"},
};
} // namespace

TOfficePanel::TOfficePanel(const TGame& game, TPanelHost& host, QWidget* parent)
    : TContentPanel(QStringLiteral("Invest"), game, host, parent) {
    auto* page = MakeScrollingPage(Body());
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(12, 10, 12, 6);
    layout->setSpacing(10);

    // Buildings: the headquarters to choose and its picture.
    auto* buildings = MakeCard(page);
    auto* buildingsLayout = new QGridLayout(buildings);
    buildingsLayout->setContentsMargins(14, 8, 14, 12);
    buildingsLayout->setHorizontalSpacing(12);
    buildingsLayout->addWidget(MakeHeading(QStringLiteral("Buildings"), buildings), 0, 0, 1, 2);
    buildingsLayout->addWidget(MakeCaption(QStringLiteral("Headquarter"), buildings), 1, 0);
    auto* choice = new QGroupBox(QStringLiteral("Headquarter Office"), buildings);
    auto* choiceLayout = new QVBoxLayout(choice);
    choiceLayout->setSpacing(4);
    BuildingGroup = new QButtonGroup(this);
    // The items line their columns up with spaces, so they are shown in a fixed-pitch font.
    QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    fixed.setPointSize(9);
    const QString buildingsHint = FromCoreText(BuildingsHint);
    for (int i = 0; i < 4; ++i) {
        auto* button = new QRadioButton(FromCp1252(BuildingItems[i]), choice);
        button->setFont(fixed);
        SetHint(button, buildingsHint);
        BuildingGroup->addButton(button, i);
        choiceLayout->addWidget(button);
        Buildings[static_cast<size_t>(i)] = button;
    }
    SetHint(choice, buildingsHint);
    buildingsLayout->addWidget(choice, 2, 0, Qt::AlignTop);
    BuildingView = new TBuildingPicture(buildings);
    SetHint(BuildingView, buildingsHint);
    buildingsLayout->addWidget(BuildingView, 1, 1, 2, 1, Qt::AlignRight | Qt::AlignTop);
    buildingsLayout->setColumnStretch(0, 1);
    layout->addWidget(buildings);
    connect(BuildingGroup, &QButtonGroup::idClicked, this, [this](int index) { MoveTo(index); });

    // Additional offices, with the money and the room they make.
    auto* extra = MakeCard(page);
    auto* extraLayout = new QGridLayout(extra);
    extraLayout->setContentsMargins(14, 8, 14, 12);
    extraLayout->setHorizontalSpacing(16);
    extraLayout->addWidget(MakeHeading(QStringLiteral("Additional Offices"), extra), 0, 0, 1, 3);
    ExtraText = new QLabel(FromCoreText(ExtraOfficesNote), extra);
    ExtraText->setTextFormat(Qt::PlainText);
    extraLayout->addWidget(ExtraText, 1, 0, 2, 1, Qt::AlignTop);
    ExtraOffices = new TCounter(0, 10, extra);
    ExtraOffices->SetHint(tr("Additional offices beside your headquarters: up to 10, each with room for 2 "
                             "more employees"));
    extraLayout->addWidget(ExtraOffices, 1, 1, Qt::AlignTop);
    auto* figures = new QGridLayout;
    figures->setHorizontalSpacing(8);
    figures->setVerticalSpacing(2);
    Money = new TBlinkLabel(extra);
    Space = new TBlinkLabel(extra);
    const QString moneyHint = tr("Cash in hand, in dollars. It blinks when it falls below 50000.");
    const QString spaceHint = tr("Room for more employees. It blinks when the office is full.");
    int row = 0;
    for (auto [caption, value, hint] :
         {std::tuple{"Money:", Money, moneyHint}, std::tuple{"Space available:", Space, spaceHint}}) {
        auto* label = MakeCaption(QString::fromLatin1(caption), extra);
        value->setProperty("value", true);
        SetHint(label, hint);
        SetHint(value, hint);
        figures->addWidget(label, row, 0, Qt::AlignRight);
        figures->addWidget(value, row, 1);
        ++row;
    }
    figures->setColumnMinimumWidth(1, 70);
    extraLayout->addLayout(figures, 1, 2, 2, 1, Qt::AlignRight | Qt::AlignTop);
    extraLayout->setColumnStretch(0, 1);
    layout->addWidget(extra);
    connect(ExtraOffices, &TCounter::StepRequested, this,
            [this](int step) { Act(TSetExtraOffices{.Count = Game.State.Company.ExtraOffices + step}); });

    // Enhancements: equipment by the month, and the rooms to rent.
    auto* enhancements = MakeCard(page);
    auto* enhancementsLayout = new QGridLayout(enhancements);
    enhancementsLayout->setContentsMargins(14, 8, 14, 12);
    enhancementsLayout->setVerticalSpacing(6);
    enhancementsLayout->addWidget(MakeHeading(QStringLiteral("Enhancements"), enhancements), 0, 0, 1, 2);
    const QString equipmentHint = QStringLiteral("Improving your Games");
    for (int i = 0; i < 3; ++i) {
        auto* box = new QCheckBox(QString::fromLatin1(EquipmentCaptions[i]), enhancements);
        auto* price = MakeValue(enhancements);
        price->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        SetHint(box, equipmentHint);
        SetHint(price, equipmentHint);
        enhancementsLayout->addWidget(box, 1 + i, 0);
        enhancementsLayout->addWidget(price, 1 + i, 1);
        Equipment[static_cast<size_t>(i)] = box;
        Prices[static_cast<size_t>(i)] = price;
        const auto which = static_cast<TEquipment>(i);
        connect(box, &QCheckBox::clicked, this,
                [this, which](bool on) { Act(TSetEquipment{.Which = which, .On = on}); });
    }
    enhancementsLayout->setRowMinimumHeight(4, 6);
    for (int i = 0; i < 2; ++i) {
        auto* box = new QCheckBox(QString::fromLatin1(FacilityTexts[i].Caption), enhancements);
        SetHint(box, QString::fromLatin1(FacilityTexts[i].Hint));
        enhancementsLayout->addWidget(box, 5 + i, 0, 1, 2);
        Facilities[static_cast<size_t>(i)] = box;
        const auto which = static_cast<TFacility>(i);
        connect(box, &QCheckBox::clicked, this,
                [this, which](bool ticked) { Act(TSetFacility{.Which = which, .Rented = ticked}); });
    }
    enhancementsLayout->setColumnStretch(0, 1);
    layout->addWidget(enhancements);
    layout->addStretch(1);
}

void TOfficePanel::MoveTo(int index) {
    const auto& company = Game.State.Company;
    if (index >= 0 && index < 4 && index != company.OfficeIndex) {
        // The old building sells for half its price towards the new one.
        const int64_t price = int64_t{OfficePrices[index]} - OfficePrices[company.OfficeIndex] / 2;
        const bool affordable =
            int64_t{company.Money} + OfficePrices[company.OfficeIndex] / 2 > OfficePrices[index];
        if (price > 0 && affordable &&
            !Confirm("Moving to this Headquarter costs " + MoneyText(price) +
                         " after your old Headquarter is sold. Do you want to move?",
                     "Move Headquarter")) {
            // The radio button the click ticked goes back to the building the studio is in.
            Render();
            return;
        }
    }
    Act(TMoveOffice{.Building = index});
}

void TOfficePanel::Render() {
    const auto& office = Game.State.Company;
    if (QAbstractButton* chosen = BuildingGroup->button(office.OfficeIndex)) chosen->setChecked(true);
    BuildingView->SetBuilding(office.OfficeIndex);
    ExtraOffices->SetValue(office.ExtraOffices);
    const bool equipment[3] = {office.GfxEquipment, office.ComputerEquipment, office.ToolsEquipment};
    for (int i = 0; i < 3; ++i) {
        Equipment[static_cast<size_t>(i)]->setChecked(equipment[i]);
        Prices[static_cast<size_t>(i)]->setText(
            FromCp1252(EquipmentPriceText(Game, static_cast<TEquipment>(i))));
    }
    Facilities[0]->setChecked(office.SoundStudio);
    Facilities[1]->setChecked(office.TestCenter);
    const int money = Game.State.Company.Money;
    const int free = FreeSpace(Game);
    Money->setText(QString::fromStdString(MoneyText(money)));
    Money->SetBlinking(MoneyBlinks(money));
    Space->setText(QString::number(free));
    Space->SetBlinking(SpaceBlinks(free));
}
