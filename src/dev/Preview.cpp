#include "dev/Preview.h"

#include <algorithm>

#include "state/GameCore.h"

namespace {

int HiredRating(const TGameCore& game, TManagerKind kind, int32_t row) {
    const TManagerCandidate* manager = game.State.Candidates.AtRow(kind, row);
    return manager ? manager->Rating : 0;
}

// A score as the bar shows it: at most 100 (a negative one shows an empty bar).
int Score(TGameCore& game, int rating, int k) {
    const int first = game.Random(30);
    const int second = game.Random(k);
    return std::min(rating + first - second, 100);
}

void PanelLine(TPreviewReport& report, const std::string& text, TFeedStyle style) {
    // Every text of the panel is followed by an empty line.
    report.Text.push_back({text + "\n\n", style});
}

} // namespace

TOutcome RequestPreview(TGameCore& game) {
    const TProjectStage stage = game.State.Development.Stage;
    // The button sits with advertising, which is closed once the game is ready.
    if (stage != TProjectStage::Initial && stage != TProjectStage::InProgress) return TOutcome::Refused();
    const TProject& p = game.State.Projects[1];
    game.Flags.PreviewRequested = false;
    if (!p.InProgress)
        return TOutcome::Refused("You are not deveolping a game right now", "", TMessageKind::Information);
    if (p.WeeksLeft > PreviewWeeksLimit)
        return TOutcome::Refused("To soon for this. Wait until theres 30 weeks left of development", "",
                                 TMessageKind::Information);
    game.Ui.ShowMessage(
        "Your send your game to a magazine for preview. Click \"Latest Preview\" next week to see your score",
        "", TMessageKind::Information);
    game.Flags.PreviewRequested = true;
    return TOutcome::Ok();
}

std::string FeedVerdict(double q) {
    if (q <= 55) return " was reasonably fun to play.";
    if (q <= 60) return " was fair. But nothing out of the ordinary";
    if (q <= 70) return " has some potential. It will proberly be a must for players that like the genre";
    if (q <= 90) return " has Great potential";
    if (q <= 105) return " was VERY promising";
    return " was innovative and VERY promising";
}

std::string PanelVerdict(double q) {
    if (q <= 50)
        return " was reasonably. It lacks things and features that other games in the same genre has";
    if (q <= 55) return " was reasonably fun to play.";
    if (q <= 60) return " was alright. But nothing out of the ordinary";
    return FeedVerdict(q);
}

std::string GraphicsRemark(int r) {
    if (r <= 26) return "The graphics could be better";
    if (r <= 35) return "The graphics was ok";
    if (r <= 50) return "The graphics was fine";
    if (r <= 70) return "The graphics was Cool";
    if (r <= 90) return "The graphics was incredible";
    if (r <= 100) return "The graphics was extraordinarily incredible";
    return "";
}

std::string GameplayRemark(int r) {
    if (r <= 26) return "The interface was mediocre. The gameplay could be better";
    if (r <= 35) return "The interface looked okay";
    if (r <= 50) return "The interface was userfriendly and the gameplay was addictive.";
    if (r <= 80) return "The gameplay was very addictive";
    if (r <= 100) return "The playable was very refreshing and addictive";
    return "";
}

std::string ReleaseDateLine(int weeksLeft) {
    if (weeksLeft <= 5)
        return "Game is going to be released in the next 1 to 2 month. So the preview was done on a nearly "
               "finished product.";
    if (weeksLeft <= 10)
        return "Game is going to be released in the next 2 or 3 month. So the game might still change a bit.";
    if (weeksLeft <= 14) return "";
    return "There is still a long way to go before release. Much can happen.";
}

void WritePreview(TGameCore& game) {
    const auto& c = game.State.Company;
    const TProject& p = game.State.Projects[1];
    TPreviewReport& report = game.State.Preview;
    const double q = p.TargetQuality + p.Hype;
    // The scores are pulled down by up to a third of the quality the game is heading for.
    const int k = RoundToI32(p.TargetQuality) / 3;
    const std::string name = p.Name.Str();

    report.Text.clear();
    game.Feed.Append("Preview of " + name + "\n", TFeedStyle::FONTMAIN);
    PanelLine(report, "Preview of " + name, TFeedStyle::FontHeader1);

    const int designer = HiredRating(game, TManagerKind::LeadDesigner, c.LeadDesigner);
    const int leader = HiredRating(game, TManagerKind::ProjectLeader, c.ProjectLeader);
    const int programmer = HiredRating(game, TManagerKind::LeadProgrammer, c.LeadProgrammer);
    report.Graphics = Score(game, designer, k);
    report.Sound = Score(game, designer, k);
    report.Gameplay = Score(game, leader, k);
    const int overall = (report.Gameplay + report.Sound + report.Graphics) / 3 + game.Random(20) - 10;
    report.Overall = std::min(overall, 100);

    game.Feed.AddLine(name + FeedVerdict(q));

    PanelLine(report,
              "The Game was recived by us in the start of week " + std::to_string(c.Week) + " " +
                  std::to_string(c.Year),
              TFeedStyle::FontHeader1);
    if (const std::string line = ReleaseDateLine(p.WeeksLeft); !line.empty())
        PanelLine(report, line, TFeedStyle::FontNormal);
    PanelLine(report, name + PanelVerdict(q), TFeedStyle::FontNormal);
    if (const std::string remark = GraphicsRemark(designer); !remark.empty())
        PanelLine(report, remark, TFeedStyle::FontNormal);
    if (const std::string remark = GameplayRemark(programmer); !remark.empty())
        PanelLine(report, remark, TFeedStyle::FontNormal);

    ++report.Written;
    game.Flags.PreviewRequested = false;
}
