#include "game/Gesture.h"

#include <exception>

#include "game/Game.h"

namespace {

// Errors and refusals of the gestures that are not logged reach the player as those of the
// player actions do.
TOutcome Shown(TGame& game, TOutcome outcome) {
    if (!outcome.Done && !outcome.Message.empty())
        game.Ui.ShowMessage(outcome.Message, outcome.Caption, outcome.Kind);
    return outcome;
}

template <typename F>
TOutcome Guarded(TGame& game, F run) {
    try {
        return Shown(game, run());
    } catch (const std::exception& error) {
        return Shown(game, TOutcome::Refused(error.what(), "Error", TMessageKind::Error));
    }
}

} // namespace

TOutcome Act(TGame& game, const TGesture& gesture) {
    if (const auto* action = std::get_if<TPlayerAction>(&gesture)) return Apply(game, *action);
    if (const auto* view = std::get_if<TViewAction>(&gesture))
        return Guarded(game, [&] { return ApplyView(game, *view) ? TOutcome::Ok() : TOutcome::Refused(); });
    return Guarded(game, [&] { return ApplySession(game, std::get<TSessionAction>(gesture)); });
}
