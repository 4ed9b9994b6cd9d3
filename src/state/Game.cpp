#include "state/Game.h"

TGame::TGame(TPlayerInterface& ui, std::optional<uint32_t> seed)
    : Ui(ui), Rng(std::make_unique<TRandom>(seed)) {
    // Projects are plain records; start them zeroed like the rest of a fresh game.
    for (auto& project : State.Projects)
        project = BlankRecord<TProject>();
    // The rating and Future Releases filters are the same in every game.
    InitCalendarViews(*this);
}
