#include "state/GameCore.h"

TGameState::TGameState() {
    // Projects are plain records; start them zeroed like the rest of a fresh game.
    for (auto& project : Projects)
        project = BlankRecord<TProject>();
}

TGameCore::TGameCore(TPlayerInterface& ui, std::optional<uint32_t> seed, TFolders folders)
    : Ui(ui), Folders(std::move(folders)), Rng(std::make_unique<TRandom>(seed)) {}
