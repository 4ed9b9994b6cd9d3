#include "company/Office.h"

#include <algorithm>

#include "company/Space.h"
#include "state/GameCore.h"

const char* const BuildingItems[4] = {
    "Small    (Space for 15)   500.000$ ", "Medium   (Space for 25) 3.000.000$",
    "Large    (Space for 40) 4.500.000$", "Big      (Space for 50) 8.000.000$"};

int64_t MonthlyPrice(const TCompany& c) {
    int64_t price = 0;
    if (c.SoundStudio) price += SoundStudioRent;
    if (c.TestCenter) price += TestCenterRent;
    if (c.GfxEquipment) price += GfxEquipBasePrice + static_cast<int64_t>(c.GfxEquipExtra);
    if (c.ComputerEquipment) price += ComputerEquipBasePrice + static_cast<int64_t>(c.ComputerEquipExtra);
    if (c.ToolsEquipment) price += ToolsEquipBasePrice + static_cast<int64_t>(c.ToolsEquipExtra);
    return price;
}

int MonthlyRent(const TGameCore& game) {
    return CheckedI32(MonthlyPrice(game.State.Company));
}

std::string EquipmentPriceText(const TGameCore& game, TEquipment which) {
    const auto& c = game.State.Company;
    const int64_t price =
        which == TEquipment::Graphics    ? GfxEquipBasePrice + static_cast<int64_t>(c.GfxEquipExtra)
        : which == TEquipment::Computers ? ComputerEquipBasePrice + static_cast<int64_t>(c.ComputerEquipExtra)
                                         : ToolsEquipBasePrice + static_cast<int64_t>(c.ToolsEquipExtra);
    return "Monthly rent " + std::to_string(price) + "$";
}

TOutcome MoveOffice(TGameCore& game, int index) {
    auto& c = game.State.Company;
    if (index < 0 || index > 3 || index == c.OfficeIndex) return TOutcome::Refused();
    if (game.State.Employees - 2 * c.ExtraOffices > OfficeSpaces[index])
        return TOutcome::Refused("You have to fire some of you employees to move to this building",
                                 "Not enough Space");
    // The old building always sells for half its price.
    const int64_t funds = static_cast<int64_t>(c.Money) + OfficePrices[c.OfficeIndex] / 2;
    if (funds <= OfficePrices[index]) return TOutcome::Refused("Insufficient funds !", "Not enough money");
    game.Ui.ShowMessage("You have moved to a new Headquarter. Your old Headquarter was also sold",
                        "New Headquarter", TMessageKind::Information);
    c.Money = CheckedI32(funds - OfficePrices[index]);
    c.OfficeIndex = index;
    StaffChanged(game);
    return TOutcome::Ok();
}

TOutcome SetExtraOffices(TGameCore& game, int count) {
    auto& c = game.State.Company;
    while (c.ExtraOffices != count) {
        if (count > c.ExtraOffices) {
            if (c.Money < 200000 || c.ExtraOffices >= 10) return TOutcome::Refused();
            c.Money = CheckedSub(c.Money, 200000);
            ++c.ExtraOffices;
        } else {
            if (FreeSpace(game) < 2 || c.ExtraOffices <= 0) return TOutcome::Refused();
            c.Money = CheckedAdd(c.Money, 150000);
            --c.ExtraOffices;
        }
        StaffChanged(game);
    }
    return TOutcome::Ok();
}

TOutcome SetEquipment(TGameCore& game, TEquipment which, bool on) {
    auto& c = game.State.Company;
    (which == TEquipment::Graphics    ? c.GfxEquipment
     : which == TEquipment::Computers ? c.ComputerEquipment
                                      : c.ToolsEquipment) = on;
    return TOutcome::Ok();
}

TOutcome SetFacility(TGameCore& game, TFacility which, bool rented) {
    auto& c = game.State.Company;
    bool& box = which == TFacility::SoundStudio ? c.SoundStudio : c.TestCenter;
    const int rent = which == TFacility::SoundStudio ? SoundStudioRent : TestCenterRent;
    if (rented == box) return TOutcome::Refused();
    if (rented) {
        const TAnswer answer =
            game.Ui.Ask("Do you want to rent this office. ?\r\n \r\nIf you rent this office please remeber "
                        "that you have to pay 6 "
                        "months extra rent\r\nwhen and if you decide to terminate the contract. \r\n ",
                        "Rent", TButtons::YesNo);
        if (answer != TAnswer::Yes) return TOutcome::Refused();
        box = true;
    } else {
        const TAnswer answer = game.Ui.Ask("Do you want to terminate the contract.  ?\r\nTerminating the "
                                           "contract will cost 6 month Payments.\r\n ",
                                           "Rent", TButtons::YesNo);
        if (answer == TAnswer::No) return TOutcome::Refused();
        box = false;
        c.Money = CheckedSub(c.Money, 6 * rent);
    }
    StaffChanged(game);
    return TOutcome::Ok();
}

void CopyOfficeChoices(TGameCore& game) {
    auto& c = game.State.Company;
    c.DifficultyFactor = c.DifficultyBase;
}
