#include "views/PortView.h"

#include "state/GameCore.h"
#include "state/PlatformTables.h"
#include "views/NumberText.h"

const char* const PortColumns[4] = {"Game", "Platform", "ReleaseDate", "Income"};

std::vector<TPortRow> PortRows(const TGameCore& game) {
    std::vector<TPortRow> rows;
    const TGameList& released = game.State.ReleasedGames;
    for (int i = 0; i < released.RealCount() && static_cast<int>(rows.size()) < PortListRoom; ++i) {
        const TGameEntry& e = released[i];
        if (!e.ByPlayer) continue;
        TPortRow row;
        row.Entry = i;
        row.PlatformIndex = e.Platform;
        row.Game = e.Title.Str();
        row.Platform = e.Platform < PlatformCount ? Platforms[e.Platform].ShortName : "";
        row.ReleaseDate = std::to_string(e.ReleaseWeek) + "/" + std::to_string(e.ReleaseYear);
        row.Income = MoneyText(e.Income);
        rows.push_back(row);
    }
    return rows;
}
