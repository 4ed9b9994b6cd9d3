#include "persist/SaveGame.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

#include "archive/ArchiveErrors.h"
#include "archive/Resource.h"
#include "persist/ArchiveBridge.h"
#include "persist/CandidateListText.h"
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
bool KeepUploadMarker(TGameCore& game, TResource& resource, const TCollectingArchiveUi& ui,
                      const std::string& archive, const std::string& folder) {
    std::error_code error;
    if (!fs::exists(archive, error)) return false;
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

    TScratchFolder scratch(game.Folders, "quillon-save-");
    const bool keepMarker = KeepUploadMarker(game, resource, ui, archive, scratch.Path());
    ui.Messages.clear();
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

    // Written straight from the running game: a copy of the lists would cost more than the
    // rest of the save.
    const TGameState& s = game.State;
    member(ReleasedMember, GameListText(s.ReleasedGames, TGameListKind::Released), 15);
    member(UpcomingMember, GameListText(s.UpcomingGames, TGameListKind::Upcoming), 10);
    StoreTunables(game.State.Company, game.Tunables);
    member(CompanyMember, RecordBytes(s.Company), 5);
    member(DealMember, RecordBytes(s.PublisherDeal), 5);
    member(ProjectMember, RecordBytes(s.Projects[1]), 5);
    member(PlatformsMember, RecordBytes(s.Platforms), 5);
    for (size_t g = 0; g < s.TitleLists.size(); ++g) {
        write(GenreListMembers[g], TitleListText(s.TitleLists[g]));
        progress.Add(4);
        add(GenreListMembers[g]);
        progress.Add(1);
    }
    // The candidate lists are small; the gauge does not move for them.
    write(CandidatesMember, CandidateListText(s.Candidates));
    add(CandidatesMember);
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
    saved.Candidates = s.Candidates;
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
