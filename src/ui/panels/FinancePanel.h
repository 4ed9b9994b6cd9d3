#pragma once
// "Financial Info": the year's sums and five graphs of the week histories. The graph chosen and
// its copy of a history live in the game's views.
#include <array>

#include "ui/panels/ContentPanel.h"

class QLabel;
class QPushButton;
class QTableWidget;
class TPaintBoxGrid;

class TFinancePanel : public TContentPanel {
    Q_OBJECT
public:
    TFinancePanel(const TGame& game, TPanelHost& host, QWidget* parent = nullptr);

    // Opening, and each change while open: the table of this year's sums; the graph stays as
    // it was.
    std::optional<TGesture> Opening() const override { return TOpenPanel{TOpenedPanel::Finance}; }
    std::optional<TGesture> Following() const override { return Opening(); }
    void Render() override;

    QTableWidget* Table() const { return Sums; }
    QLabel* GraphTitle() const { return Title; }
    QPushButton* GraphButton(int graph) const { return Buttons.at(static_cast<size_t>(graph)); }
    TPaintBoxGrid* Graph() const { return Plot; }
    QLabel* Readout() const { return Pointer; }

private:
    void PaintSeries(QPainter& painter);
    void ShowPointer(double x);

    QTableWidget* Sums;
    QLabel* Title;
    std::array<QPushButton*, 5> Buttons{};
    TPaintBoxGrid* Plot;
    QLabel* Pointer;
};
