#pragma once
// Loading the saved game. Every member is extracted and read into scratch records first, and
// checked; only a save that is whole and sound replaces the running game, in one go, so a
// refused load leaves the game exactly as it was.
#include <functional>
#include <optional>
#include <string>

#include "persist/SavedGame.h"
#include "state/Outcome.h"

// Reads the whole save archive into scratch records and checks them, with the progress window.
// Throws EDataFile saying what is wrong (no save, a damaged archive, a missing member, a record
// of the wrong size, a field that is not a number, a value outside its range); the game does
// not change.
TSavedGame ReadSavedGame(TGameCore& game, const std::string& archive);

// A save's member by name, as its bytes (the archive's part of a load, or a test's or fuzzer's
// stand-in); throws EDataFile when the member is missing.
using TSaveMembers = std::function<std::optional<std::string>(const char* member)>;

// ReadSavedGame without the archive: every member read into the scratch records, the lines of
// the game and title lists parsed, and the whole checked. Progress steps go to `progress`.
TSavedGame ReadSavedMembers(const TSaveMembers& members, const TGameCore& game,
                            const std::function<void(int)>& progress = {});

// The checks of ReadSavedGame on values already read: indices inside the platform and genre
// tables, weeks and years inside the calendar and the histories, no negative counts, hired
// managers that are rows of their candidate grids, texts no longer than their fields, finite
// numbers. Throws EDataFile naming the member and the field.
void CheckSavedGame(const TSavedGame& saved, const TGameCore& game);

// Puts a checked save into the game: the four records, the two game lists, the genre title
// lists and the tunables; then what is derived from them: no assistants (the team is hired
// again), the publisher's objective, the choice lists, the office space. Sets JustLoaded, so
// the first economy evaluation after the load is skipped.
void ApplySavedGame(TGameCore& game, TSavedGame saved);

// Reads, checks and applies the save of the game's folders: done, or refused with the message
// for the player (the game unchanged).
TOutcome LoadGame(TGameCore& game);

// The refusal of a save that cannot be used, with the reason.
TOutcome LoadRefused(const std::string& reason);
