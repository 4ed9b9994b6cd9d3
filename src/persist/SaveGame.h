#pragma once
// Saving the game at the end of a turn: one archive holding the company record, project slot
// 1, the platform table, the publisher deal, the two game lists and the genre title lists.
#include <functional>
#include <string>

class TGameCore;
struct TSavedGame;

// What a save of the running game holds (the tunables inside the company record).
TSavedGame SavedGameOf(const TGameCore& game);

// Called with each member's name before the member is written, and with the archive's name
// before the new archive takes the old one's place: tests throw from it to cut a save short.
using TSaveStepHook = std::function<void(const std::string& name)>;

// Writes the save archive. The new archive is built beside the old one and takes its name only
// once it is complete and on the disk; the member files live in a private temporary folder
// that is removed afterwards. A marker of an earlier score upload stays when the archive holds
// the same game (same StartStamp). Throws EDataFile saying why when the game could not be
// saved; a previous save is then left as it was.
void WriteSaveArchive(TGameCore& game, const std::string& archive, const TSaveStepHook& hook = {});

// End Of Week's first step when the player asked to save: writes the save archive of the game's
// folders. The request is consumed whether the save succeeds or not.
void SaveGame(TGameCore& game);
