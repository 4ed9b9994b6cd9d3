#pragma once
// The saved game: the members of its archive, the records a save holds, and the helpers that
// saving and loading share (the progress window).
#include <optional>
#include <string>

#include "persist/ScratchFolder.h"
#include "state/GameCore.h"

inline constexpr const char* ReleasedMember = "1_Released.sav";
inline constexpr const char* UpcomingMember = "1_sales.sav";
inline constexpr const char* CompanyMember = "1_Comp.sav";
inline constexpr const char* DealMember = "1_Pub.sav";
inline constexpr const char* ProjectMember = "1_prj.sav";
inline constexpr const char* PlatformsMember = "1_cmp.sav";
// The genre title lists, in the order of the genre table.
inline constexpr const char* GenreListMembers[7] = {"acg.sav", "Adg.sav", "Stg.sav", "Rg.sav",
                                                    "Spg.sav", "RPG.sav", "Sig.sav"};
// The three manager candidate lists; a save made before they were kept has none.
inline constexpr const char* CandidatesMember = "1_Mgr.sav";
// Put into the archive by the first score upload of a loaded game.
inline constexpr const char* UploadMarkerMember = "1_UPT.sav";

// Everything a save holds. A load reads a whole save into one of these and checks it before
// anything of the running game changes.
struct TSavedGame {
    TCompany Company = BlankRecord<TCompany>(); // the tunables inside (SavedTunables, SavedQualityBase)
    TPublisherDeal Deal = BlankRecord<TPublisherDeal>();
    TProject Project = BlankRecord<TProject>(); // slot 1
    TPlatformTable Platforms = BlankRecord<TPlatformTable>();
    TGameList Released;
    TGameList Upcoming;
    TTitleLists TitleLists;
    // Absent in an older save: the lists drawn for the world before the load stay.
    std::optional<TManagerCandidates> Candidates;
};

// The tunables as the company record carries them, and back.
void StoreTunables(TCompany& company, const TTunables& tunables);
TTunables TunablesOf(const TCompany& company);

// The progress window with its text and gauge; closed when the object ends.
class TProgressWindow {
public:
    TProgressWindow(TPlayerInterface& ui, std::string text);
    ~TProgressWindow() { Ui.CloseProgress(); }
    TProgressWindow(const TProgressWindow&) = delete;
    TProgressWindow& operator=(const TProgressWindow&) = delete;

    void Add(int step) { Set(Percent + step); }
    void Set(int percent);
    int Value() const { return Percent; }

private:
    TPlayerInterface& Ui;
    std::string Text;
    int Percent = 0;
};
