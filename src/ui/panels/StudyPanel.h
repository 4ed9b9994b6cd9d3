#pragma once
// The "Study And Tools" panel: four activities (study, tools, anti-piracy, platform
// independence), each with its platform, a "Choose Platform" list and a staff counter, and
// what it has achieved on that platform.
#include <QString>
#include <array>

#include "state/GameCore.h"
#include "ui/panels/ContentPanel.h"

class QLabel;
class QListWidget;
class TCounter;

class TStudyPanel : public TContentPanel {
    Q_OBJECT
public:
    TStudyPanel(const TGame& game, TPanelHost& host, QWidget* parent = nullptr);

    // Opening the panel shows every activity's display afresh.
    std::optional<TGesture> Opening() const override { return TOpenPanel{TOpenedPanel::StudyAndTools}; }
    void Refresh() override;
    void Render() override;

    // Per activity, in the order of TStudyActivity.
    QPushButton* ChooseLink(TStudyActivity a) const { return Of(a).Choose; }
    QListWidget* PlatformList(TStudyActivity a) const { return Of(a).List; }
    TCounter* StaffCounter(TStudyActivity a) const { return Of(a).Counter; }
    QLabel* PlatformLabel(TStudyActivity a) const { return Of(a).Platform; }
    QLabel* AbilityLabel() const { return Ability; }
    QLabel* ToolProgressLabel() const { return ToolProgress; }
    QLabel* ToolCurrentLabel() const { return ToolCurrent; }
    QLabel* EfficiencyLabel(TStudyActivity a) const { return Of(a).Efficiency; }
    QPushButton* PortingHelpButton() const { return HelpButton; }
    QWidget* HelpBox() const { return Help; }
    QLabel* HelpText() const { return HelpLabel; }

private:
    struct TActivityControls {
        QLabel* Platform = nullptr;
        QPushButton* Choose = nullptr;
        QListWidget* List = nullptr; // drops down from "Choose Platform"
        TCounter* Counter = nullptr;
        QLabel* Efficiency = nullptr; // anti-piracy and platform independence
    };

    QWidget* BuildActivity(TStudyActivity activity);
    void ShowList(TStudyActivity activity, bool shown);
    const TActivityControls& Of(TStudyActivity a) const { return Activities[static_cast<size_t>(a)]; }
    TActivityControls& Of(TStudyActivity a) { return Activities[static_cast<size_t>(a)]; }

    std::array<TActivityControls, StudyActivityCount> Activities{};
    QLabel* Ability = nullptr;
    QLabel* ToolProgress = nullptr;
    QLabel* ToolCurrent = nullptr;
    QWidget* Page = nullptr;
    QPushButton* HelpButton = nullptr;
    QWidget* Help = nullptr;
    QLabel* HelpLabel = nullptr;
};
