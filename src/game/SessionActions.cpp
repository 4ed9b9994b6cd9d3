#include "game/SessionActions.h"

#include "game/Game.h"
#include "game/NewGame.h"
#include "persist/ArchiveBridge.h"
#include "persist/PlayerProfile.h"
#include "persist/ScoreRecord.h"
#include "start/StartScreen.h"

namespace {

void Copy(TStartScreen& screen, const TStartScreenChoices& choices) {
    screen.PlayerName = choices.PlayerName;
    screen.CompanyName = choices.CompanyName;
    screen.Difficulty = choices.Difficulty;
}

TOutcome Done(bool done) {
    return done ? TOutcome::Ok() : TOutcome::Refused();
}

TOutcome Run(TGame& game, const TOpenStartScreen&) {
    game.Flags.StartPending = false;
    ShowStartScreen(game, game.Views.StartScreen);
    return TOutcome::Ok();
}
TOutcome Run(TGame& game, const TChooseNoMusic&) {
    // Unticking it again does not bring the music back for this run.
    game.Views.StartScreen.NoMusic = true;
    game.Flags.MusicOff = true;
    return TOutcome::Ok();
}
TOutcome Run(TGame& game, const TStartGameChosen& a) {
    Copy(game.Views.StartScreen, a.Choices);
    return Done(StartGame(game, game.Views.StartScreen));
}
TOutcome Run(TGame& game, const TLoadGameChosen& a) {
    Copy(game.Views.StartScreen, a.Choices);
    return Done(LoadSavedGame(game, game.Views.StartScreen));
}
TOutcome Run(TGame& game, const TLeaveStartScreen&) {
    game.Flags.QuitChosen = true;
    return TOutcome::Ok();
}
TOutcome Run(TGame& game, const TBeginWorld&) {
    BeginGame(game);
    return TOutcome::Ok();
}
TOutcome Run(TGame& game, const TPlayLoadedGame&) {
    // Whatever stops the load, the start screen comes again, for a new game or another try.
    bool loaded = false;
    try {
        loaded = LoadSavedGameAndPlay(game);
    } catch (...) {
        game.Flags.StartPending = true;
        throw;
    }
    if (loaded) return TOutcome::Ok();
    // The player has been told why.
    game.Flags.StartPending = true;
    return TOutcome::Refused();
}
TOutcome Run(TGame& game, const TCloseScoreSheet& a) {
    WritePlayerProfile(game.Folders.Data, a.PlayerName, a.CompanyName, game.Flags.ShowHelp);
    return TOutcome::Ok();
}
TOutcome Run(TGame& game, const TRecordScore& a) {
    TGameArchiveUi ui(game.Ui);
    const TUploadPermission permission =
        MarkScoreUpload(a.Folder, game.State.Company, game.Flags.LoadRequested, ui);
    if (!permission.Allowed)
        return TOutcome::Refused(permission.Text, permission.Caption, TMessageKind::Information);
    game.Views.StartScreen.ScoreRecord =
        WriteScoreRecord(a.Folder, game.State.Company, a.Score, game.VersionText, a.Stamp);
    return TOutcome::Ok();
}

} // namespace

TOutcome ApplySession(TGame& game, const TSessionAction& action) {
    return std::visit([&](const auto& a) { return Run(game, a); }, action);
}
