#include "dev/Port.h"

#include <algorithm>

#include "dev/Project.h"
#include "state/GameCore.h"
#include "state/PlatformTables.h"

const char* const PortLinkHint =
    "If the company has already developed a game for one platform. The company\r\ncan create the same game "
    "for an other platform faster then starting a totaly new game.\r\nChoose the companys most succesful "
    "games for the best result.\r\nIf the game is old it will proberly not have the same appeal to people "
    "anymore.";

int PortFinalCopy(int releaseScore, int methods) {
    return CheckedAdd(releaseScore, (methods + 75) / 75);
}

int PortBaseWork(int newProjectWork, int methods) {
    return CheckedSub(newProjectWork, CheckedMul(methods + 800, newProjectWork / 200) / 10);
}

TOutcome PortGame(TGameCore& game, int releasedIndex, int platform) {
    auto& d = game.State.Development;
    // The link sits with name, genre and platform: open only while they can be chosen.
    if (d.Stage != TProjectStage::Initial || d.PortSetUp) return TOutcome::Refused();
    // The dialog opens cancelled; only a game chosen in it clears that.
    game.Flags.PortCancelled = true;
    if (platform < 0) return TOutcome::Refused("Choose a platform", "", TMessageKind::Plain);
    const TGameList& released = game.State.ReleasedGames;
    if (std::none_of(released.begin(), released.end(), [](const TGameEntry& e) { return e.ByPlayer; }))
        return TOutcome::Refused();
    if (releasedIndex < 0 || releasedIndex >= released.RealCount() || !released[releasedIndex].ByPlayer)
        return TOutcome::Refused();
    const auto& items = game.State.Lists.ProjectPlatforms.Items;
    if (std::none_of(items.begin(), items.end(),
                     [&](const std::string& item) { return PlatformOfChoice(item) == platform; }))
        return TOutcome::Refused();

    // "Choose": the port takes the earlier game's title, genre and figure. The title must not
    // exist on that platform yet; that is checked before anything is written, so a refused
    // port leaves the project as it was and no later game inherits the port's figures.
    const TGameEntry e = released[releasedIndex];
    const std::string title = e.Title.Str();
    if (std::any_of(released.begin(), released.end(),
                    [&](const TGameEntry& g) { return g.Title.Str() == title && g.Platform == platform; }))
        return TOutcome::Refused("Game already exists for this platform", "", TMessageKind::Information);
    TProject& p = game.State.Projects[1];
    const int32_t methods = game.State.Company.PortingMethods[e.Platform];
    game.Flags.PortCancelled = false;
    p.Name = e.Title.Str();
    p.Genre = e.Genre;
    p.FinalCopy = PortFinalCopy(e.ReleaseScore, methods);
    d.Platform = platform;
    d.Genre = e.Genre;
    p.BaseWork = PortBaseWork(game.Tunables.NewProjectWork, methods);
    d.Technology = 0;
    p.IsPort = true;
    d.PortSetUp = true;
    p.PlatformItem = platform - 1;
    RecalculateProject(game, 1, true);
    return TOutcome::Ok();
}
