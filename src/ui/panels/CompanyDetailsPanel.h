#pragma once
// "Company Details": the studio's released games with the chart history of the one chosen (the
// row chosen lives in the game's views), and what the studio has learnt and built.
#include <optional>

#include "ui/panels/ContentPanel.h"
#include "views/CompanyDetails.h"

class QLabel;
class QStackedWidget;
class QTabWidget;
class QTableWidget;
class TKnowledgeSection;
class TPaintBoxGrid;

class TCompanyDetailsPanel : public TContentPanel {
    Q_OBJECT
public:
    TCompanyDetailsPanel(const TGame& game, TPanelHost& host, QWidget* parent = nullptr);

    // Opening: the games list anew, and the graph drawn from scratch; while open, the list
    // follows the game.
    std::optional<TGesture> Opening() const override { return TOpenPanel{TOpenedPanel::CompanyDetails}; }
    std::optional<TGesture> Following() const override { return TFollowGame{TOpenedPanel::CompanyDetails}; }
    void Render() override;

    // A further section of the panel, beside the released games (the studio's knowledge).
    void AddSection(QWidget* section, const QString& title);
    QTabWidget* Sections() const { return Tabs; }
    // What the studio has learnt and built.
    TKnowledgeSection* Knowledge() const { return KnowledgeLists; }

    QTableWidget* GamesList() const { return Games; }
    // Shown in the list's place while the studio has no released game.
    QLabel* NoGamesNote() const { return NoGames; }
    QLabel* ChartCaption() const { return Caption; }
    TPaintBoxGrid* Graph() const { return Plot; }
    QLabel* Readout() const { return Pointer; }
    // What the graph showed at its last paint (nothing when no game was drawn).
    const std::optional<TChartHistory>& LastHistory() const { return Drawn; }

private:
    void PrepareGraph();
    void PaintHistory(QPainter& painter);
    void ShowPointer(double x);

    QTabWidget* Tabs;
    TKnowledgeSection* KnowledgeLists;
    QStackedWidget* ListStack;
    QTableWidget* Games;
    QLabel* NoGames;
    QLabel* Caption;
    TPaintBoxGrid* Plot;
    QLabel* Pointer;
    std::optional<TChartHistory> Drawn;
};
