#include "persist/SaveGame.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

#include "archive/ArchiveErrors.h"
#include "archive/Resource.h"
#include "persist/ArchiveBridge.h"
#include "persist/GameListLine.h"
#include "persist/SavedGame.h"
#include "state/TextFields.h"

namespace fs = std::filesystem;

namespace {

template <typename T>
std::string RecordBytes(const T& record) {
    std::ostringstream out;
    WriteRecord(out, record);
    return out.str();
}

std::string TitleListText(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines)
        text += line + "\r\n";
    return text;
}

void WriteMemberFile(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) throw EDataFile("Cannot write " + path + ".");
}

void RemoveQuietly(const std::string& path) {
    std::error_code ignored;
    fs::remove(path, ignored);
}

// The marker of an earlier score upload belongs to the game that was saved then: it goes
// into the new archive when that was this game (same StartStamp), so a save of the same game
// never opens the way to a second upload. True when the marker now waits in `folder`.
bool KeepUploadMarker(TGameCore& game, const std::string& archive, const std::string& folder) {
    std::error_code error;
    if (!fs::exists(archive, error)) return false;
    TCollectingArchiveUi ui(game.Ui);
    TResource resource(ui);
    resource.Silence();
    try {
        if (resource.DecompressFromArchive(archive, folder, UploadMarkerMember) != 1) return false;
    } catch (const EArchiveError&) {
        return false; // a damaged old save has nothing to pass on
    }
    const std::string name = FindFileNoCase(folder, UploadMarkerMember);
    if (name.empty()) return false;
    std::ifstream in(folder + name, std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    in.close();
    RemoveQuietly(folder + name);
    if (!ui.Messages.empty() || Trim(bytes) != std::to_string(game.State.Company.StartStamp)) return false;
    // Stored under its plain name whatever letter case the old archive used.
    WriteMemberFile(folder + UploadMarkerMember, bytes);
    return true;
}

void WriteArchive(TGameCore& game, const std::string& archive, const TSaveStepHook& hook,
                  TProgressWindow& progress) {
    TCollectingArchiveUi ui(game.Ui);
    TResource resource(ui);
    resource.Silence();

    const fs::path folder = fs::path(archive).parent_path();
    std::error_code error;
    if (!folder.empty()) fs::create_directories(folder, error);
    if (error) throw EDataFile("Cannot create the folder " + folder.string() + ": " + error.message() + ".");
    progress.Add(5);

    TScratchFolder scratch("quillon-save-");
    const bool keepMarker = KeepUploadMarker(game, archive, scratch.Path());
    TArchiveBuilder builder(resource.Manager, archive);
    auto write = [&](const char* member, const std::string& bytes) {
        if (hook) hook(member);
        WriteMemberFile(scratch.Path() + member, bytes);
    };
    auto add = [&](const char* member) {
        builder.Add(member, scratch.Path());
        RemoveQuietly(scratch.Path() + member);
    };
    auto member = [&](const char* name, const std::string& bytes, int step) {
        write(name, bytes);
        add(name);
        progress.Add(step);
    };

    StoreTunables(game.State.Company, game.Tunables);
    const TSavedGame saved = SavedGameOf(game);
    member(ReleasedMember, GameListText(saved.Released, TGameListKind::Released), 15);
    member(UpcomingMember, GameListText(saved.Upcoming, TGameListKind::Upcoming), 10);
    member(CompanyMember, RecordBytes(saved.Company), 5);
    member(DealMember, RecordBytes(saved.Deal), 5);
    member(ProjectMember, RecordBytes(saved.Project), 5);
    member(PlatformsMember, RecordBytes(saved.Platforms), 5);
    for (size_t g = 0; g < saved.TitleLists.size(); ++g) {
        write(GenreListMembers[g], TitleListText(saved.TitleLists[g]));
        progress.Add(4);
        add(GenreListMembers[g]);
        progress.Add(1);
    }
    if (keepMarker) add(UploadMarkerMember);
    if (hook) hook(builder.ArchiveName());
    builder.Commit();
}

} // namespace

TSavedGame SavedGameOf(const TGameCore& game) {
    const TGameState& s = game.State;
    TSavedGame saved;
    saved.Company = s.Company;
    StoreTunables(saved.Company, game.Tunables);
    saved.Deal = s.PublisherDeal;
    saved.Project = s.Projects[1];
    saved.Platforms = s.Platforms;
    saved.Released = s.ReleasedGames;
    saved.Upcoming = s.UpcomingGames;
    saved.TitleLists = s.TitleLists;
    return saved;
}

void WriteSaveArchive(TGameCore& game, const std::string& archive, const TSaveStepHook& hook) {
    TProgressWindow progress(game.Ui, "Saving Game");
    try {
        WriteArchive(game, archive, hook, progress);
    } catch (const EArchiveError& error) {
        throw EDataFile(std::string("The game could not be saved.\r\n") + error.what());
    } catch (const EGameError& error) {
        throw EDataFile(std::string("The game could not be saved.\r\n") + error.what());
    } catch (const fs::filesystem_error& error) {
        throw EDataFile(std::string("The game could not be saved.\r\n") + error.what());
    }
    progress.Set(100);
}

void SaveGame(TGameCore& game) {
    game.Flags.SaveRequested = false;
    WriteSaveArchive(game, game.Folders.SaveArchive());
}
