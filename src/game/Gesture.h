#pragma once
// The one door through which the window reaches the game. Every gesture of a panel or dialog
// is a player action (applied, logged and replayed), a view action (what a screen shows; not
// logged) or a session action (the start screen and the start-up; not logged).
#include <type_traits>
#include <utility>
#include <variant>

#include "game/Actions.h"
#include "game/SessionActions.h"
#include "game/ViewActions.h"

using TGesture = std::variant<TPlayerAction, TViewAction, TSessionAction>;

// Wraps one action of any of the three kinds.
template <typename A>
TGesture MakeGesture(A&& action) {
    using T = std::decay_t<A>;
    if constexpr (std::is_same_v<T, TGesture>)
        return std::forward<A>(action);
    else if constexpr (std::is_constructible_v<TPlayerAction, A>)
        return TPlayerAction(std::forward<A>(action));
    else if constexpr (std::is_constructible_v<TViewAction, A>)
        return TViewAction(std::forward<A>(action));
    else
        return TSessionAction(std::forward<A>(action));
}

// Applies the gesture. A refusal's message and an error the gesture raised have been shown to
// the player when it returns.
TOutcome Act(TGame& game, const TGesture& gesture);
