#pragma once
// The "Managers" panel: the three candidate grids stacked in one place, the buttons that
// bring one to the front, and the offer a click on a candidate makes.
#include <array>

#include "company/Candidates.h"
#include "ui/panels/ContentPanel.h"

class QButtonGroup;
class QStackedWidget;
class QTableWidget;

class TManagersPanel : public TContentPanel {
    Q_OBJECT
public:
    TManagersPanel(const TGame& game, TPanelHost& host, QWidget* parent = nullptr);

    void Refresh() override;
    void Render() override;

    QLabel* HireLabel() const { return Label; }
    QTableWidget* Grid(TManagerKind kind) const { return Grids[static_cast<size_t>(kind)]; }
    QPushButton* GridButton(TManagerKind kind) const { return Buttons[static_cast<size_t>(kind)]; }
    // The grid in front.
    QTableWidget* ShownGrid() const;

signals:
    // Opening the panel also brings the assistant counters up to date.
    void Opened();
    void SoundRequested(int sound);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void RenderGrid(TManagerKind kind);

    QLabel* Label;
    QStackedWidget* Stack;
    std::array<QTableWidget*, 3> Grids{};
    std::array<QPushButton*, 3> Buttons{};
    QButtonGroup* ButtonGroup;
};
