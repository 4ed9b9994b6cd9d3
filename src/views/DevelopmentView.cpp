#include "views/DevelopmentView.h"

#include "state/GameCore.h"

TDevelopmentView DevelopmentView(const TGameCore& game) {
    const TDevelopment& d = game.State.Development;
    const TProject& p = game.State.Projects[1];
    TDevelopmentView view;
    view.WeeksLeft = p.WeeksLeft;
    view.ReleaseVisible = d.ReleaseShown;
    view.TechnologyVisible = !d.PortSetUp;
    const bool late = p.WeeksLeft <= 12;
    switch (d.Stage) {
    case TProjectStage::NotStarted:
        view.StartNewEnabled = true;
        break;
    case TProjectStage::Initial:
        view.StartProjectEnabled = true;
        view.NameGroupEnabled = !d.PortSetUp;
        view.TimeBoxEnabled = true;
        [[fallthrough]];
    case TProjectStage::InProgress:
        // A port can be given up once its game has been chosen.
        view.CancelEnabled = d.Stage == TProjectStage::InProgress || p.IsPort;
        view.OptionsEnabled = true;
        view.AdvertisingEnabled = true;
        view.PreviewEnabled = true;
        view.TechnologyEnabled = !late && !p.IsPort;
        view.MultiPlayEnabled = !late;
        break;
    case TProjectStage::Ready:
        view.CancelEnabled = true;
        view.ReleaseEnabled = d.ReleaseShown && !d.ReleaseMode;
        break;
    }
    return view;
}

std::string AdvertisingItem(int level) {
    if (level <= 0) return "No Advertising";
    return "Level " + std::to_string(level) + " (" + std::to_string(level * 3000) + "$ a week)";
}
