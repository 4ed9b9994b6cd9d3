#pragma once
// The "Invest" panel: the headquarters with its picture, additional offices, the state-of-
// the-art equipment and the two rooms that can be rented.
#include <array>

#include "company/Office.h"
#include "ui/panels/ContentPanel.h"

class QButtonGroup;
class QCheckBox;
class QRadioButton;
class TBlinkLabel;
class TBuildingPicture;
class TCounter;

class TOfficePanel : public TContentPanel {
    Q_OBJECT
public:
    TOfficePanel(const TGame& game, TPanelHost& host, QWidget* parent = nullptr);

    void Render() override;

    QRadioButton* BuildingButton(int index) const { return Buildings.at(static_cast<size_t>(index)); }
    TBuildingPicture* Picture() const { return BuildingView; }
    TCounter* ExtraOfficesCounter() const { return ExtraOffices; }
    QLabel* ExtraOfficesText() const { return ExtraText; }
    QCheckBox* EquipmentBox(TEquipment which) const { return Equipment.at(static_cast<size_t>(which)); }
    QLabel* PriceLabel(TEquipment which) const { return Prices.at(static_cast<size_t>(which)); }
    QCheckBox* FacilityBox(TFacility which) const { return Facilities.at(static_cast<size_t>(which)); }
    TBlinkLabel* MoneyLabel() const { return Money; }
    TBlinkLabel* SpaceLabel() const { return Space; }

private:
    // A move that costs money is asked about first, with the price; one that brings money in
    // or is refused by the game goes straight to it.
    void MoveTo(int index);

    std::array<QRadioButton*, 4> Buildings{};
    QButtonGroup* BuildingGroup;
    TBuildingPicture* BuildingView;
    TCounter* ExtraOffices;
    QLabel* ExtraText;
    std::array<QCheckBox*, 3> Equipment{};
    std::array<QLabel*, 3> Prices{};
    std::array<QCheckBox*, 2> Facilities{};
    TBlinkLabel* Money;
    TBlinkLabel* Space;
};
