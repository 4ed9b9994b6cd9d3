// The members of a save, without the archive around them: the four records, the two game lists,
// the seven title lists and the managers' candidate lists, read into scratch records and checked
// the way a load checks them. A save that passes the checks is put into a new game, which plays
// two weeks with it. Members must end in a refusal naming what is wrong, or in a game that
// plays; never in a crash or a sanitizer report.
//
// The input holds the members in the save's order, each ended by the separator line below; a
// member that is not there is missing from the save.
#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "game/EndOfWeek.h"
#include "game/Game.h"
#include "game/NewGame.h"
#include "persist/LoadGame.h"
#include "persist/SavedGame.h"
#include "players/ScriptedPlayer.h"
#include "start/Folders.h"
#include "start/NewGame.h"
#include "start/StartScreen.h"
#include "state/Errors.h"

namespace {

const char* const Separator = "\n==member==\n";

const std::vector<const char*>& MemberOrder() {
    static const std::vector<const char*> order = [] {
        std::vector<const char*> names = {ReleasedMember, UpcomingMember, CompanyMember,
                                          DealMember,     ProjectMember,  PlatformsMember};
        names.insert(names.end(), std::begin(GenreListMembers), std::end(GenreListMembers));
        names.push_back(CandidatesMember); // last, so that an input without it is an older save
        return names;
    }();
    return order;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string input(reinterpret_cast<const char*>(data), size);
    std::map<std::string, std::string> members;
    size_t at = 0;
    for (const char* name : MemberOrder()) {
        const size_t end = input.find(Separator, at);
        if (end == std::string::npos) break;
        members[name] = input.substr(at, end - at);
        at = end + std::string(Separator).size();
    }
    TScriptedPlayer player;
    TGame game(player, 1u, FoldersAt("/nonexistent/"));
    PrepareNewGame(game, {"Fuzz Player", "Fuzz Studio", 2});
    TSavedGame saved;
    try {
        saved = ReadSavedMembers(
            [&](const char* member) -> std::optional<std::string> {
                const auto found = members.find(member);
                if (found == members.end()) return std::nullopt;
                return found->second;
            },
            game);
    } catch (const EDataFile&) {
        return 0;
    }
    BeginGame(game);
    ApplySavedGame(game, std::move(saved));
    EndOfWeek(game);
    EndOfWeek(game);
    return 0;
}
