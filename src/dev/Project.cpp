#include "dev/Project.h"

#include <algorithm>

#include "company/Publisher.h"
#include "state/GameCore.h"
#include "state/PlatformTables.h"
#include "state/TextFields.h"

const char* const TechnologyItems[3] = {"Old-fashioned", "Up-to-date", "Push the limits"};
const char* const OptionNames[4] = {"Beta Testing", "Make a Demo", "MultiPlay", "Game Extras"};
const char* const TechnologyHint =
    "This level can be changed until the last 10 - 15 weeks of the development. ";

namespace {

TProject& Slot(TGameCore& game, int slot) {
    return game.State.Projects[slot];
}

int HiredRating(const TGameCore& game, TManagerKind kind, int32_t row) {
    const TManagerCandidate* manager = game.State.Candidates.AtRow(kind, row);
    return manager ? manager->Rating : 0;
}

int ProjectPlatform(const TProject& project) {
    return project.PlatformItem + 1;
}

// The weekly work of an area: two units for each of its assistants and the three managers'
// own hands.
int Capacity(int32_t assistants) {
    return CheckedMul(2, CheckedAdd(assistants, 3));
}

bool OptionsOpen(const TGameCore& game) {
    const TProjectStage stage = game.State.Development.Stage;
    return stage == TProjectStage::Initial || stage == TProjectStage::InProgress;
}

// The technology level and MultiPlay can be changed until the last weeks of development.
bool LateChangesOpen(const TGameCore& game) {
    return OptionsOpen(game) && game.State.Projects[1].WeeksLeft > 12;
}

} // namespace

bool& OptionTick(TGameCore& game, TProjectOption option) {
    auto& d = game.State.Development;
    switch (option) {
    case TProjectOption::Beta:
        return d.Beta;
    case TProjectOption::Demo:
        return d.Demo;
    case TProjectOption::MultiPlay:
        return d.MultiPlay;
    default:
        return d.Extras;
    }
}

int ToolDiscount(int work, int toolLevel) {
    // Bands meet at 400, 600 and 800: a level exactly there takes both cuts, the lower first.
    struct TBand {
        int Low, High, Percent;
        bool HighIncluded;
    };
    static constexpr TBand Bands[] = {
        {200, 400, 5, true}, {400, 600, 10, true}, {600, 800, 15, true}, {800, 990, 25, false}};
    for (const TBand& band : Bands)
        if (toolLevel >= band.Low && (toolLevel < band.High || (band.HighIncluded && toolLevel == band.High)))
            work -= (work / 100) * band.Percent;
    if (toolLevel >= 990) work -= (work / 100) * 40;
    return work;
}

void InitProjectSlot(TGameCore& game, int slot) {
    auto& d = game.State.Development;
    const TChoiceList& platforms = game.State.Lists.ProjectPlatforms;
    if (platforms.Count() > 0) d.Platform = PlatformOfChoice(platforms.Items[0]);
    const TTunables& t = game.Tunables;
    TProject& p = Slot(game, slot);
    p.AllDone = false;
    p.DemoWork = t.DemoWork;
    p.BetaWork = t.BetaWork;
    p.MultiplayWork = t.MultiplayWork;
    p.ExtrasWork = t.ExtrasWork;
    p.TechStepWork = t.TechStepWork;
    p.PlatformItem = d.Platform - 1;
    p.Genre = d.Genre;
    p.Advertising = d.Advertising;
    p.EngineDone = p.SoundDone = p.GraphicsDone = 0;
    p.WeeksLeft = 0;
    p.InProgress = false;
    p.Quality = p.TargetQuality = p.QualityStep = p.Hype = 0;
    p.ReadyAnnounced = false;
    p.Ready = false;
}

TOutcome StartNewProject(TGameCore& game) {
    auto& d = game.State.Development;
    if (d.Stage != TProjectStage::NotStarted) return TOutcome::Refused();
    d.Stage = TProjectStage::Initial;
    TChoiceLists& lists = game.State.Lists;
    lists.ProjectPlatforms.Clear();
    for (int i : OfferedPlatforms(game.State.Company.Year))
        lists.ProjectPlatforms.Add(PlatformChoiceEntry(i));
    lists.CalendarPlatforms = lists.ProjectPlatforms;
    d.Status = "initial stage..";
    d.StatusBlinkMs = 500;
    d.SideCaption = "initial stage..";
    d.SideBlinks = false;
    if (d.Genre < 0 || d.Genre >= GenreCount) d.Genre = 0;
    // A port's "Old-fashioned" was fixed by the port, not chosen: a new game starts from the
    // usual level again.
    if (d.Technology < 0 || d.Technology > 2)
        d.Technology = 0;
    else if (Slot(game, 1).IsPort)
        d.Technology = DefaultTechnology;
    InitProjectSlot(game, 1);
    TProject& p = Slot(game, 1);
    p.BaseWork = game.Tunables.NewProjectWork;
    p.FinalCopy = 0;
    p.IsPort = false;
    d.PortSetUp = false;
    RecalculateProject(game, 1, true);
    return TOutcome::Ok();
}

std::string GameNameProblem(const std::string& name) {
    for (unsigned char c : name)
        if (c == ';' || c < 32 || c == 127)
            return "A game name cannot contain \";\" or control characters. Choose another name";
    return "";
}

TOutcome StartProject(TGameCore& game, const std::string& typed) {
    auto& d = game.State.Development;
    if (d.Stage != TProjectStage::Initial) return TOutcome::Refused();
    // The box takes twenty characters; the saved lists separate their fields with ";". A port
    // keeps the title the porting dialog put in the box, which cannot be edited.
    const std::string name = d.PortSetUp ? Slot(game, 1).Name.Str() : typed.substr(0, ProjectNameLength);
    if (UpperCase(name) == "NEW GAME")
        return TOutcome::Refused("GameName not valid. Choose another name", "", TMessageKind::Information);
    if (const std::string problem = GameNameProblem(name); !problem.empty())
        return TOutcome::Refused(problem, "", TMessageKind::Information);
    const std::string upper = UpperCase(name);
    for (const TGameEntry& e : game.State.ReleasedGames)
        if (UpperCase(e.Title.Str()) == upper && e.Platform == d.Platform)
            return TOutcome::Refused(
                "Game already exists for the platform. Cancel the project and begin a new", "",
                TMessageKind::Information);
    TProject& p = Slot(game, 1);
    p.Name = name;
    p.PlatformItem = d.Platform - 1;
    p.InProgress = true;
    d.Stage = TProjectStage::InProgress;
    d.Status = "In Progress..";
    d.StatusBlinkMs = 350;
    d.SideCaption = "In Progress..";
    d.SideLink = "Game:" + name;
    d.Busy = true;
    return TOutcome::Ok();
}

bool RecalculateProject(TGameCore& game, int slot, bool estimateOnly) {
    if (slot != 1) return true;
    const auto& c = game.State.Company;
    auto& d = game.State.Development;
    TProject& p = Slot(game, 1);

    int64_t work = p.BaseWork;
    if (d.Demo) work += p.DemoWork;
    if (d.MultiPlay) work += p.MultiplayWork;
    if (d.Extras) work += p.ExtrasWork;
    if (d.Beta) work += p.BetaWork;
    if (d.Technology > 0) work += static_cast<int64_t>(d.Technology) * p.TechStepWork;
    int32_t w = CheckedI32(work);
    w = ToolDiscount(w, c.ToolProgress[ProjectPlatform(p)]);
    w -= HiredRating(game, TManagerKind::LeadProgrammer, c.LeadProgrammer) / 2 +
         HiredRating(game, TManagerKind::LeadDesigner, c.LeadDesigner) / 2;

    p.Genre = d.Genre;
    const int* ratio = DevelopmentRatios[std::clamp(p.Genre, 0, 9)];
    const int32_t parts[3] = {(w / 100) * ratio[0], (w / 100) * ratio[1], (w / 100) * ratio[2]};
    d.BarMax = p.BaseWork / 8;

    const int32_t done[3] = {p.EngineDone, p.SoundDone, p.GraphicsDone};
    const int32_t capacity[3] = {Capacity(c.AssistProgrammers), Capacity(c.AssistMusicians),
                                 Capacity(c.AssistArtists)};
    int32_t remaining[3];
    for (int a = 0; a < 3; ++a)
        remaining[a] = std::max(CheckedSub(parts[a], done[a]), 0);
    if (p.InProgress && remaining[0] == 0 && remaining[1] == 0 && remaining[2] == 0) p.AllDone = true;

    int32_t weeks = 0;
    for (int a = 0; a < 3; ++a)
        weeks = std::max(weeks, remaining[a] / capacity[a]);
    bool result = true;
    if (estimateOnly && weeks == 0) {
        weeks = 1;
        result = false;
    }
    p.WeeksLeft = weeks;
    if (!estimateOnly && p.InProgress && weeks == 0) p.AllDone = true;

    if (!p.AllDone) {
        for (int a = 0; a < 3; ++a)
            d.Bars[static_cast<size_t>(a)] = remaining[a] / capacity[a];
        if (p.InProgress) ComputeQualityTarget(game);
    } else if (!estimateOnly && !p.Ready) {
        MakeReady(game);
    }
    if (!p.AllDone) d.SideCaption = std::to_string(p.WeeksLeft) + " Weeks remain";
    return result;
}

TOutcome OpenDevelopment(TGameCore& game) {
    if (game.State.Development.Stage != TProjectStage::NotStarted) RecalculateProject(game, 1, true);
    return TOutcome::Ok();
}

TOutcome ChooseProjectGenre(TGameCore& game, int genre) {
    const auto& d = game.State.Development;
    if (d.Stage != TProjectStage::Initial || d.PortSetUp || genre < 0 || genre >= GenreCount)
        return TOutcome::Refused();
    game.State.Development.Genre = genre;
    RecalculateProject(game, 1, true);
    return TOutcome::Ok();
}

TOutcome ChooseProjectPlatform(TGameCore& game, int platform) {
    auto& d = game.State.Development;
    if (d.Stage != TProjectStage::Initial || d.PortSetUp) return TOutcome::Refused();
    const auto& items = game.State.Lists.ProjectPlatforms.Items;
    if (std::none_of(items.begin(), items.end(),
                     [&](const auto& item) { return PlatformOfChoice(item) == platform; }))
        return TOutcome::Refused();
    d.Platform = platform;
    Slot(game, 1).PlatformItem = platform - 1;
    RecalculateProject(game, 1, true);
    return TOutcome::Ok();
}

TOutcome SetTechnology(TGameCore& game, int level) {
    if (!LateChangesOpen(game) || Slot(game, 1).IsPort || level < 0 || level > 2) return TOutcome::Refused();
    game.State.Development.Technology = level;
    RecalculateProject(game, 1, true);
    return TOutcome::Ok();
}

TOutcome SetProjectOption(TGameCore& game, TProjectOption option, bool ticked) {
    if (!OptionsOpen(game)) return TOutcome::Refused();
    if (option == TProjectOption::MultiPlay && !LateChangesOpen(game)) return TOutcome::Refused();
    bool& tick = OptionTick(game, option);
    const bool before = tick;
    tick = ticked;
    const bool workLeft = RecalculateProject(game, 1, true);
    if (option == TProjectOption::Beta && !workLeft) {
        // Testing a game with nothing left to build makes no sense: the tick goes back.
        tick = before;
        game.Ui.ShowMessage("Allready to fare in Development", "", TMessageKind::Plain);
        RecalculateProject(game, 1, true);
    }
    return TOutcome::Ok();
}

TOutcome SetAdvertising(TGameCore& game, int level) {
    if (!OptionsOpen(game) || level < 0 || level > 10) return TOutcome::Refused();
    game.State.Development.Advertising = level;
    RecalculateProject(game, 1, true);
    return TOutcome::Ok();
}

void ResetProject(TGameCore& game) {
    auto& d = game.State.Development;
    d.Status = "Not started..";
    d.StatusBlinkMs = 500;
    d.Stage = TProjectStage::NotStarted;
    TProject& p = Slot(game, 1);
    p.InProgress = false;
    p.ReadyAnnounced = false;
    p.Ready = false;
    d.SideCaption = "NOt Started..";
    d.SideBlinks = false;
    d.SideLink = "Project";
    d.Busy = false;
}

TOutcome CancelProject(TGameCore& game) {
    const TProjectStage stage = game.State.Development.Stage;
    // A port can be given up as soon as its game has been chosen.
    const bool portChosen = stage == TProjectStage::Initial && Slot(game, 1).IsPort;
    if (stage != TProjectStage::InProgress && stage != TProjectStage::Ready && !portChosen)
        return TOutcome::Refused();
    if (game.Ui.Ask("Are you sure you want to cancel Project ?", "Confirm", TButtons::YesNo) != TAnswer::Yes)
        return TOutcome::Refused();
    ResetProject(game);
    return TOutcome::Ok();
}

void GrowProjectWork(TGameCore& game) {
    TTunables& t = game.Tunables;
    AddTo(t.NewProjectWork, 3 + game.Random(3));
    AddTo(t.TechStepWork, 2);
    AddTo(t.MultiplayWork, 2);
    AddTo(t.DemoWork, 1);
    AddTo(t.ExtrasWork, 1);
    AddTo(t.BetaWork, 1);
}

void WeeklyProjectEffects(TGameCore& game) {
    auto& c = game.State.Company;
    const TProject& p = Slot(game, 1);
    if (!p.InProgress) return;
    if (game.Random(10) >= 6) AddTo(c.PlatformKnowledge[ProjectPlatform(p)], 1);
    if (c.Week % 5 == 0 && game.Random(10) >= 6) {
        int32_t& knowledge = c.GenreKnowledge[p.Genre];
        // Beyond half way a genre is learnt more slowly.
        if (knowledge <= 50 || game.Random(10) >= 7) AddTo(knowledge, 1);
    }
    const int advertising = game.State.Development.Advertising;
    if (advertising >= 1) c.Money = CheckedSub(c.Money, CheckedMul(advertising, 3000));
    RecalculateProject(game, 1, false);
}

void WeeklyProjectProgress(TGameCore& game) {
    const TProjectStage stage = game.State.Development.Stage;
    if (stage != TProjectStage::InProgress && stage != TProjectStage::Ready) return;
    const auto& c = game.State.Company;
    for (int slot = 1; slot <= 2; ++slot) {
        TProject& p = Slot(game, slot);
        if (!p.InProgress) continue;
        AddTo(p.EngineDone, Capacity(c.AssistProgrammers));
        AddTo(p.SoundDone, Capacity(c.AssistMusicians));
        AddTo(p.GraphicsDone, Capacity(c.AssistArtists));
        RecalculateProject(game, slot, true);
    }
    const TProject& p = Slot(game, 1);
    if (!p.ReadyAnnounced)
        game.State.Development.SideCaption = std::to_string(p.WeeksLeft) + " Weeks remaining";
}

void WeeklyQualityGain(TGameCore& game) {
    TProject& p = Slot(game, 1);
    if (!p.InProgress || p.Ready) return;
    p.Quality += p.QualityStep;
    p.Hype += p.HypeStep;
}

void ComputeQualityTarget(TGameCore& game) {
    const auto& c = game.State.Company;
    const auto& d = game.State.Development;
    TProject& p = Slot(game, 1);
    int32_t points = 0;
    if (c.SoundStudio) points += 15;
    if (c.GfxEquipment) points += 50;
    if (c.ComputerEquipment) points += 25;
    if (c.ToolsEquipment) points += 25;
    if (c.TestCenter) points += 20;
    points += HiredRating(game, TManagerKind::LeadProgrammer, c.LeadProgrammer);
    points += HiredRating(game, TManagerKind::LeadDesigner, c.LeadDesigner);
    if (d.Technology >= 1) points += d.Technology * (25 + game.Random(25));

    if (d.Advertising == 0) {
        p.HypeStep = 0;
    } else {
        const int r = game.Random(6);
        p.HypeStep = (d.Advertising * r + 14) / 5.0 / (p.WeeksLeft / 3 + 10);
    }

    int32_t target = game.Tunables.QualityBase;
    const int32_t platformKnowledge = c.PlatformKnowledge[ProjectPlatform(p)];
    if (platformKnowledge > 0) target += platformKnowledge / 5;
    const int32_t genreKnowledge = c.GenreKnowledge[p.Genre];
    if (genreKnowledge > 0) target += std::min(genreKnowledge / 2, 40);
    target -= 7 * c.Difficulty;
    target += points / 10;
    if (target < 50) target += 5 + game.Random(5);
    if (target > 100) {
        target += game.Random(target / 20);
        target -= game.Random(target / 10);
    }
    if (target > 140) target -= game.Random(target / 5);
    p.TargetQuality = target;
    p.QualityStep = (p.TargetQuality - p.Quality) / p.WeeksLeft;
}

void MakeReady(TGameCore& game) {
    const auto& c = game.State.Company;
    auto& d = game.State.Development;
    TProject& p = Slot(game, 1);
    d.SideCaption = " Ready for release ";
    d.SideBlinks = true;
    d.Busy = false;
    if (p.ReadyAnnounced) return;
    const std::string name = p.Name.Str();
    game.Feed.AddLine("");
    game.Feed.Append(name + " ready for Release !!\n", TFeedStyle::FontHeader1);
    game.Feed.AddLine("");
    d.Status = "Ready for release!!";
    d.StatusBlinkMs = 100;
    d.SideCaption = "Ready for release!!";
    game.Ui.Ask(name + " ready for release!", "", TButtons::OkCancel);
    d.Bars = {};
    p.ReadyAnnounced = true;
    d.Stage = TProjectStage::Ready;

    double q = p.Quality - 5.0 * c.Difficulty;
    p.TargetQuality = q;
    if (!p.IsPort) p.FinalCopy = q;
    // Hype only carries a game so far.
    if (p.Hype > 20) p.Hype = 20;
    q += p.Hype;
    q += ExtrasQualityBonus(game.State.PublisherDeal);
    p.Ready = true;
    const int32_t divisor = (c.Year - 1983) * 10 + 35;
    if (d.Demo) q += p.DemoWork / divisor;
    if (d.Extras) q += p.ExtrasWork / divisor;
    if (d.Beta) q += p.BetaWork / divisor;
    if (d.MultiPlay) q += p.MultiplayWork / divisor;
    p.TargetQuality = q;
}

void ProblemCheck(TGameCore& game) {
    const auto& c = game.State.Company;
    const TProject& p = Slot(game, 1);
    if (!p.InProgress || p.Ready) return;
    const int d = (game.State.Development.Technology + 2) * 15 + 2 * c.Difficulty + game.Random(55);
    if (d >= 84 && static_cast<int64_t>(c.Money) - c.Loan > 100000) {
        game.State.Development.ProblemSeverity = d;
        ShowProblem(game);
        RecalculateProject(game, 1, true);
    }
}

void ShowProblem(TGameCore& game) {
    const auto& c = game.State.Company;
    auto& d = game.State.Development;
    TProject& p = Slot(game, 1);
    static const char* const Pushing =
        "\r\nYour Workers are talking about having problem making games that pushes the tecnical limit";
    const int severity = d.ProblemSeverity;
    int growth = 0;
    bool scrapped = false;
    if (severity >= 80 && severity <= 93) {
        d.ProblemText =
            "The Game under development has encountered some problems and will take a bit more time to "
            "finish.";
        growth = 4;
    } else if (severity == 94 || severity == 95) {
        d.ProblemText =
            "The Game under development has encountered some minor bugs that will take time to correct.";
        growth = 4 + game.Random(5);
    } else if (severity >= 96 && severity <= 100) {
        d.ProblemText =
            "The Game under development has encountered some minor bugs that will take time to correct.";
        growth = 8 + game.Random(5);
    } else if (severity >= 101 && severity <= 112) {
        d.ProblemText =
            std::string("The Game under development has encountered some problems and bugs. Solving "
                        "this will take a great deal of time to correct.") +
            Pushing;
        growth = 10 + game.Random(10);
    } else if (severity >= 113 && severity <= 116) {
        d.ProblemText =
            std::string("The Game under development has encountered some major problems and bugs. "
                        "Solving this will take a great deal of time to correct.") +
            Pushing;
        growth = 20 + game.Random(10);
    } else if (severity == 117 || severity == 118) {
        d.ProblemText =
            std::string(
                "Major Problems with the Game under development. Solving this will take a great deal of "
                "time to correct.") +
            Pushing;
        growth = 40 + game.Random(20);
    } else if (severity >= 119 && p.WeeksLeft > 30 && static_cast<int64_t>(c.Money) - c.Loan > 500000) {
        d.ProblemText = "You have to scrap the development of the new game!!.\r\nYour Workers encuntered "
                        "irrecoverable bugs and "
                        "errors";
        scrapped = true;
    }
    p.BaseWork = CheckedAdd(p.BaseWork, CheckedMul(p.BaseWork / 100, growth));
    game.Ui.ShowProblem(d.ProblemText);
    if (scrapped) {
        ResetProject(game);
        game.Ui.ShowMessage("The Project under development was scraped!", "", TMessageKind::Warning);
    }
}
