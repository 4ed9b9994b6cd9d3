#include "company/Office.h"

#include <algorithm>

#include "company/Staff.h"
#include "state/Game.h"

const char* const BuildingItems[4] = {
    "Small    (Space for 15)   500.000$ ", "Medium   (Space for 25) 3.000.000$",
    "Large    (Space for 40) 4.500.000$", "Big      (Space for 50) 8.000.000$"};

int OfficeSpace(const TGame& game) {
    const auto& office = game.Panels.Office;
    const int building = std::clamp(office.BuildingIndex, 0, 3);
    return OfficeSpaces[building] + 2 * office.ExtraOffices + (office.SoundStudio ? 2 : 0) +
           (office.TestCenter ? 2 : 0);
}

int64_t MonthlyPrice(const TCompany& c, bool soundStudio, bool testCenter) {
    int64_t price = 0;
    if (soundStudio) price += SoundStudioRent;
    if (testCenter) price += TestCenterRent;
    if (c.GfxEquipment) price += GfxEquipBasePrice + static_cast<int64_t>(c.GfxEquipExtra);
    if (c.ComputerEquipment) price += ComputerEquipBasePrice + static_cast<int64_t>(c.ComputerEquipExtra);
    if (c.ToolsEquipment) price += ToolsEquipBasePrice + static_cast<int64_t>(c.ToolsEquipExtra);
    return price;
}

int MonthlyRent(const TGame& game) {
    const auto& office = game.Panels.Office;
    return CheckedI32(MonthlyPrice(game.State.Company, office.SoundStudio, office.TestCenter));
}

std::string EquipmentPriceText(const TGame& game, TEquipment which) {
    const auto& c = game.State.Company;
    const int64_t price =
        which == TEquipment::Graphics    ? GfxEquipBasePrice + static_cast<int64_t>(c.GfxEquipExtra)
        : which == TEquipment::Computers ? ComputerEquipBasePrice + static_cast<int64_t>(c.ComputerEquipExtra)
                                         : ToolsEquipBasePrice + static_cast<int64_t>(c.ToolsEquipExtra);
    return "Monthly rent " + std::to_string(price) + "$";
}

void ShowOfficePanel(TGame& game) {
    const auto& c = game.State.Company;
    auto& office = game.Panels.Office;
    office.BuildingIndex = std::clamp(c.OfficeIndex, 0, 3);
    office.ExtraOffices = std::clamp(c.ExtraOffices, 0, 10);
    office.SoundStudio = c.SoundStudio;
    office.TestCenter = c.TestCenter;
    office.GfxEquipment = c.GfxEquipment;
    office.ComputerEquipment = c.ComputerEquipment;
    office.ToolsEquipment = c.ToolsEquipment;
}

namespace {
// The five boxes are copied into the company record whenever one of them changes.
void CopyBoxes(TGame& game) {
    auto& c = game.State.Company;
    const auto& office = game.Panels.Office;
    c.SoundStudio = office.SoundStudio;
    c.TestCenter = office.TestCenter;
    c.GfxEquipment = office.GfxEquipment;
    c.ComputerEquipment = office.ComputerEquipment;
    c.ToolsEquipment = office.ToolsEquipment;
}
} // namespace

void ChooseBuilding(TGame& game, int index) {
    auto& c = game.State.Company;
    auto& office = game.Panels.Office;
    if (index < 0 || index > 3 || index == c.OfficeIndex) {
        office.BuildingIndex = c.OfficeIndex;
        return;
    }
    office.BuildingIndex = c.OfficeIndex;
    if (game.State.Employees - 2 * c.ExtraOffices > OfficeSpaces[index]) {
        game.Ui.ShowMessage("You have to fire some of you employees to move to this building",
                            "Not enough Space", TMessageKind::Warning);
        return;
    }
    // The old building always sells for half its price.
    const int64_t funds = static_cast<int64_t>(c.Money) + OfficePrices[c.OfficeIndex] / 2;
    if (funds > OfficePrices[index]) {
        game.Ui.ShowMessage("You have moved to a new Headquarter. Your old Headquarter was also sold",
                            "New Headquarter", TMessageKind::Information);
        c.Money = CheckedI32(funds - OfficePrices[index]);
        c.OfficeIndex = index;
        office.BuildingIndex = index;
        StaffChanged(game);
    } else {
        game.Ui.ShowMessage("Insufficient funds !", "Not enough money", TMessageKind::Warning);
    }
}

bool StepExtraOffices(TGame& game, int step) {
    auto& c = game.State.Company;
    auto& office = game.Panels.Office;
    if (step > 0 && (c.Money < 200000 || office.ExtraOffices >= 10)) return false;
    if (step < 0 && (FreeSpace(game) < 2 || office.ExtraOffices <= 0)) return false;
    office.ExtraOffices += step > 0 ? 1 : -1;
    if (office.ExtraOffices > c.ExtraOffices) c.Money = CheckedSub(c.Money, 200000);
    if (office.ExtraOffices < c.ExtraOffices) c.Money = CheckedAdd(c.Money, 150000);
    c.ExtraOffices = office.ExtraOffices;
    StaffChanged(game);
    return true;
}

void SetEquipment(TGame& game, TEquipment which, bool on) {
    auto& office = game.Panels.Office;
    (which == TEquipment::Graphics    ? office.GfxEquipment
     : which == TEquipment::Computers ? office.ComputerEquipment
                                      : office.ToolsEquipment) = on;
    CopyBoxes(game);
}

void SetFacility(TGame& game, TFacility which, bool ticked) {
    auto& office = game.Panels.Office;
    bool& box = which == TFacility::SoundStudio ? office.SoundStudio : office.TestCenter;
    const int rent = which == TFacility::SoundStudio ? SoundStudioRent : TestCenterRent;
    box = ticked;
    game.State.RentDialogMode = ticked;
    if (ticked) {
        const TAnswer answer =
            game.Ui.Ask("Do you want to rent this office. ?\r\n \r\nIf you rent this office please remeber "
                        "that you have to pay 6 "
                        "months extra rent\r\nwhen and if you decide to terminate the contract. \r\n ",
                        "Rent", TButtons::YesNo);
        if (answer != TAnswer::Yes) box = false;
    } else {
        const TAnswer answer = game.Ui.Ask("Do you want to terminate the contract.  ?\r\nTerminating the "
                                           "contract will cost 6 month Payments.\r\n ",
                                           "Rent", TButtons::YesNo);
        if (answer == TAnswer::No)
            box = true;
        else
            game.State.Company.Money = CheckedSub(game.State.Company.Money, 6 * rent);
    }
    CopyBoxes(game);
    game.Ui.StatusChanged();
}

void CopyOfficeChoices(TGame& game) {
    auto& c = game.State.Company;
    const auto& office = game.Panels.Office;
    c.OfficeIndex = office.BuildingIndex;
    CopyBoxes(game);
    c.DifficultyFactor = c.DifficultyBase;
}
