#pragma once
// The information panels: "Financial Info" (the year's sums and five graphs of the week
// histories), "Market Info" (platforms and genre demand) and "Company Details" (the studio's
// released games with the chart history of the one chosen). They only read the game; what
// they keep (the graph chosen, its copy of a history, the row chosen) lives in the game's views.
#include <QString>
#include <array>
#include <optional>

#include "ui/ContentPanel.h"
#include "views/CompanyDetails.h"

class QLabel;
class QPushButton;
class QTableWidget;
class QStackedWidget;
class QTabWidget;
class QTextEdit;
class TGame;
class TMainWindow;
class TKnowledgeSection;
class TPaintBoxGrid;

// Makes the three panels and puts them in place of the empty ones their menu links open.
void InstallInfoPanels(TMainWindow& window);

class TFinancePanel : public TContentPanel {
    Q_OBJECT
public:
    explicit TFinancePanel(TGame& game, QWidget* parent = nullptr);

    // Opening: the table of this year's sums; the graph stays as it was.
    void Refresh() override;
    void GameChanged() override { Refresh(); }
    void Render();

    QTableWidget* Table() const { return Sums; }
    QLabel* GraphTitle() const { return Title; }
    QPushButton* GraphButton(int graph) const { return Buttons.at(static_cast<size_t>(graph)); }
    TPaintBoxGrid* Graph() const { return Plot; }
    QLabel* Readout() const { return Pointer; }

private:
    void ChooseGraph(int graph);
    void PaintSeries(QPainter& painter);
    void ShowPointer(double x);

    TGame& Game;
    QTableWidget* Sums;
    QLabel* Title;
    std::array<QPushButton*, 5> Buttons{};
    TPaintBoxGrid* Plot;
    QLabel* Pointer;
};

class TMarketInfoPanel : public TContentPanel {
    Q_OBJECT
public:
    explicit TMarketInfoPanel(TGame& game, QWidget* parent = nullptr);

    // Both lists are built from the game each time the panel opens or the week moves on.
    void Refresh() override;
    void GameChanged() override { Refresh(); }

    QTextEdit* PlatformList() const { return PlatformText; }
    QTextEdit* GenreList() const { return GenreText; }

private:
    void Render();

    TGame& Game;
    QTextEdit* PlatformText;
    QTextEdit* GenreText;
};

class TCompanyDetailsPanel : public TContentPanel {
    Q_OBJECT
public:
    explicit TCompanyDetailsPanel(TGame& game, QWidget* parent = nullptr);

    // Opening: the games list anew, and the graph drawn from scratch.
    void Refresh() override;
    void GameChanged() override;
    void Render();

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
    void ChooseRow(int row);
    void PrepareGraph();
    void PaintHistory(QPainter& painter);
    void ShowPointer(double x);

    TGame& Game;
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
