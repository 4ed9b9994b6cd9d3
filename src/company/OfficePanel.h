#pragma once
// What the "Invest" panel shows: the choices are copied into the company record once a week.
struct TOfficePanel {
    int BuildingIndex = 0; // 0 Small, 1 Medium, 2 Large, 3 Big
    int ExtraOffices = 0;
    bool SoundStudio = false;
    bool TestCenter = false;
    bool GfxEquipment = false;
    bool ComputerEquipment = false;
    bool ToolsEquipment = false;
};
