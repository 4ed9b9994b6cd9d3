// The information panels in a running game: the finance table and its graphs, the market
// lists in their styles, the studio's games with their chart history, and the screenshot tour
// that pictures every screen.
#include <QDir>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextEdit>

#include "GuiTestSupport.h"
#include "ui/panels/CompanyDetailsPanel.h"
#include "ui/panels/FinancePanel.h"
#include "ui/panels/KnowledgeSection.h"
#include "ui/panels/MarketInfoPanel.h"
#include "ui/widgets/Cp1252.h"
#include "ui/widgets/PaintBoxGrid.h"
#include "ui/window/ScreenshotTour.h"
#include "views/Finance.h"

namespace {

class InfoPanelsTest : public TGuiTest {
protected:
    void SetUp() override {
        TGuiTest::SetUp();
        Start();
    }

    template <typename T>
    T* PanelOf(const QString& link) {
        auto* panel = dynamic_cast<T*>(Window->Panel(link));
        EXPECT_NE(panel, nullptr) << link.toStdString();
        return panel;
    }

    // Lets the window paint what has changed; a graph's drawing is made by its paint.
    static void Paint(QWidget* widget) {
        widget->repaint();
        QApplication::processEvents();
    }

    // The mouse moves over a widget to a point.
    static void PointAt(QWidget* widget, QPoint at) {
        QMouseEvent move(QEvent::MouseMove, QPointF(at), widget->mapToGlobal(QPointF(at)), Qt::NoButton,
                         Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(widget, &move);
    }
};

TEST_F(InfoPanelsTest, FinanceShowsTheYearsSumsAndAGraphForEachButton) {
    TCompany& c = Game().State.Company;
    c.HistIncome[c.Year].Fill(0);
    c.HistIncome[c.Year][1] = 1234567;
    c.HistMoney[c.Year][1] = 1500000;
    for (int w = 2; w <= 52; ++w)
        c.HistMoney[c.Year][w] = 1500000 - 1000 * w;

    Open("Financial Info");
    auto* panel = PanelOf<TFinancePanel>("Financial Info");
    ASSERT_NE(panel, nullptr);
    ASSERT_TRUE(panel->isVisible());
    EXPECT_EQ(panel->Table()->item(0, 1)->text(), "Income");
    EXPECT_EQ(panel->Table()->item(3, 0)->text(), "All Income");
    EXPECT_EQ(panel->Table()->item(3, 1)->text(), "1,234,567$");
    EXPECT_EQ(panel->Table()->item(6, 1)->text(), "1,500,000$");
    EXPECT_EQ(panel->GraphTitle()->text(), "Graph");

    QTest::mouseClick(panel->GraphButton(4), Qt::LeftButton);
    EXPECT_EQ(panel->GraphButton(4)->text(), "Money");
    EXPECT_EQ(panel->GraphTitle()->text(), "Money Graph");
    EXPECT_TRUE(panel->GraphTitle()->styleSheet().contains("#ff0000"));
    TPaintBoxGrid* graph = panel->Graph();
    EXPECT_EQ(graph->Properties().XMin, 1);
    EXPECT_EQ(graph->Properties().XMax, 52);
    EXPECT_EQ(graph->Properties().YMax, 1500000 + 75000);
    Paint(graph);
    ASSERT_TRUE(graph->LastDrawing().XAxis);
    ASSERT_TRUE(graph->LastDrawing().YAxis);
    EXPECT_EQ(graph->LastDrawing().Mapping.XScale, (graph->width() - 70) / 51.0);

    // The graph fills the panel at any window size and draws its grid for that size.
    const int narrow = graph->width();
    Window->resize(Window->width() + 300, Window->height() + 100);
    QApplication::processEvents();
    Paint(graph);
    EXPECT_GT(graph->width(), narrow);
    EXPECT_EQ(graph->LastDrawing().Mapping.XScale, (graph->width() - 70) / 51.0);

    // Pointing at week 2 reads its value under the graph.
    PointAt(graph, QPoint(graph->XToPixel(2), graph->YToPixel(1000000)));
    EXPECT_EQ(panel->Readout()->text(), "Week 2: 1,498,000$");
    PointAt(graph, QPoint(2, 2)); // in the margin
    EXPECT_FALSE(panel->Readout()->text().startsWith("Week"));

    // The graph's margin at its default while the labels fit; millions of ten and more make room.
    EXPECT_EQ(int(graph->Properties().MarginLeft), 50);
    for (const TGridLabel& label : graph->LastDrawing().YLabels)
        EXPECT_GE(label.Left, 0) << label.Text;
    c.HistMoney[c.Year][3] = 25000000;
    QTest::mouseClick(panel->GraphButton(4), Qt::LeftButton);
    Paint(graph);
    EXPECT_EQ(int(graph->Properties().MarginLeft), 56); // "26250000": 48 pixels, 7 apart, 1 spare
    ASSERT_TRUE(graph->LastDrawing().YAxis);
    for (const TGridLabel& label : graph->LastDrawing().YLabels)
        EXPECT_GE(label.Left, 0) << label.Text;

    // Another button: its own title and colour; reopening the panel leaves the graph.
    QTest::mouseClick(panel->GraphButton(2), Qt::LeftButton);
    EXPECT_EQ(panel->GraphTitle()->text(), "Weekly Cost Graph");
    EXPECT_TRUE(panel->GraphTitle()->styleSheet().contains("#008000"));
    EXPECT_EQ(graph->Properties().YMin, 1);
    Open("Financial Info");
    EXPECT_EQ(panel->GraphTitle()->text(), "Weekly Cost Graph");
    EXPECT_EQ(Game().Views.Finance.Graph, 2);
}

TEST_F(InfoPanelsTest, MarketPrintsPlatformsInTheirStylesAndTheGenresDemand) {
    TGameState& s = Game().State;
    const int year = s.Company.Year;
    // The first platforms on sale: one ending next year, one ended.
    int ending = -1, ended = -1;
    for (int i = 0; i < 19 && (ending < 0 || ended < 0); ++i) {
        if (!(s.Platforms.UnitsSold[i] > 0)) continue;
        if (ending < 0) {
            ending = i;
            s.Platforms.Lifetime[i] = year + 1 - s.Platforms.ReleaseYear[i];
        } else {
            ended = i;
            s.Platforms.Lifetime[i] = year - 3 - s.Platforms.ReleaseYear[i];
        }
    }
    ASSERT_GE(ended, 0);

    Open("Market Info");
    auto* panel = PanelOf<TMarketInfoPanel>("Market Info");
    ASSERT_NE(panel, nullptr);
    const TMarketView& view = Game().Views.Market;
    QTextDocument* doc = panel->PlatformList()->document();
    ASSERT_EQ(doc->blockCount(), static_cast<int>(view.Platforms.size()));
    auto colourOf = [doc](int line) {
        QTextCursor cursor(doc->findBlockByNumber(line));
        cursor.movePosition(QTextCursor::NextCharacter);
        return cursor.charFormat().foreground().color();
    };
    int olive = 0, red = 0;
    for (int line = 2; line < doc->blockCount(); ++line) {
        EXPECT_EQ(doc->findBlockByNumber(line).text(), FromCp1252(view.Platforms[line].Text));
        const QColor colour = colourOf(line);
        switch (view.Platforms[line].Style) {
        case TMarketStyle::Warning:
            EXPECT_EQ(colour, QColor(128, 128, 0));
            ++olive;
            break;
        case TMarketStyle::Ended:
            EXPECT_EQ(colour, QColor(255, 0, 0));
            ++red;
            break;
        case TMarketStyle::Normal:
            EXPECT_EQ(colour, QColor(Qt::black));
            break;
        }
    }
    EXPECT_GE(olive, 1);
    EXPECT_GE(red, 1);
    EXPECT_TRUE(doc->findBlockByNumber(0).text().startsWith("Platform"));

    QTextDocument* genres = panel->GenreList()->document();
    ASSERT_EQ(genres->blockCount(), 9);
    EXPECT_TRUE(genres->findBlockByNumber(2).text().startsWith("Action      "));

    // End Of Week with the panel open shows the new week's figures.
    s.Company.GenrePopularity[0] = 60;
    QTest::mouseClick(Window->Link("End Of Week"), Qt::LeftButton);
    EXPECT_EQ(panel->GenreList()->document()->findBlockByNumber(2).text(),
              FromCp1252(Game().Views.Market.Genres[2]));
}

class CompanyDetailsPanelTest : public InfoPanelsTest {
protected:
    void SetUp() override {
        InfoPanelsTest::SetUp();
        TGameList& games = Game().State.ReleasedGames;
        // The player's own titles, as a release leaves them, among the competitors'.
        for (const auto& [title, weeks] : {std::pair{"Moon Miners", 10}, std::pair{"Pixel Pets", 1}}) {
            TGameEntry e = BlankRecord<TGameEntry>();
            e.Title = title;
            e.ByPlayer = true;
            e.Platform = 3;
            e.ReleaseWeek = 2;
            e.ReleaseYear = 1984;
            e.Income = 2500000;
            e.TotalSales = 98765;
            e.WeeksOnSale = static_cast<uint8_t>(weeks);
            for (int w = 1; w <= 300; ++w)
                e.ChartHistory[w] = NoChartPos;
            for (int w = 1; w <= weeks; ++w)
                e.ChartHistory[w] = static_cast<uint8_t>(40 - 3 * w);
            games.Append(e);
        }
    }
};

TEST_F(CompanyDetailsPanelTest, ListsTheStudiosGamesAndDrawsTheChosenOnesHistory) {
    Open("Company Details");
    auto* panel = PanelOf<TCompanyDetailsPanel>("Company Details");
    ASSERT_NE(panel, nullptr);
    QTableWidget* list = panel->GamesList();
    ASSERT_EQ(list->rowCount(), 2);
    EXPECT_TRUE(list->isVisible());
    EXPECT_FALSE(panel->NoGamesNote()->isVisible());
    EXPECT_EQ(list->horizontalHeaderItem(4)->text(), "income+cost");
    EXPECT_EQ(list->item(0, 0)->text(), "Moon Miners");
    EXPECT_EQ(list->item(0, 1)->text(), "Dos");
    EXPECT_EQ(list->item(0, 2)->text(), "2/1984");
    EXPECT_EQ(list->item(0, 3)->text(), "2,500,000$");
    EXPECT_EQ(list->item(0, 4)->text(), "98,765");
    EXPECT_EQ(panel->ChartCaption()->text(), "Game ChartPosition history");
    Paint(panel->Graph());
    EXPECT_FALSE(panel->LastHistory().has_value());
    EXPECT_EQ(panel->Graph()->Properties().XMax, 26);

    // A click fits the graph to the game's weeks on sale.
    ClickRow(list, 0);
    EXPECT_EQ(panel->ChartCaption()->text(), "ChartPosition history of Moon Miners");
    EXPECT_TRUE(panel->ChartCaption()->styleSheet().contains("#ff0000"));
    Paint(panel->Graph());
    ASSERT_TRUE(panel->LastHistory().has_value());
    EXPECT_EQ(panel->LastHistory()->XMin, 0);
    EXPECT_EQ(panel->LastHistory()->XMax, 11);
    EXPECT_EQ(panel->LastHistory()->Segments.size(), 11u);
    EXPECT_EQ(panel->Graph()->LastDrawing().Mapping.XMin, 0);
    // Painting again (the window's animation does) keeps the fit.
    Paint(panel->Graph());
    EXPECT_EQ(panel->LastHistory()->XMax, 11);

    PointAt(panel->Graph(), QPoint(panel->Graph()->XToPixel(3), panel->Graph()->YToPixel(50)));
    EXPECT_EQ(panel->Readout()->text(), "Week 3 on sale: No. 31 in the chart");

    // Covered by another panel and opened again: the graph spreads over 302 weeks.
    Open("Market Info");
    Open("Company Details");
    Paint(panel->Graph());
    ASSERT_TRUE(panel->LastHistory().has_value());
    EXPECT_EQ(panel->LastHistory()->XMax, 302);
    EXPECT_EQ(panel->LastHistory()->Segments.size(), 11u)
        << "the entry before the first week holds no position";
    EXPECT_EQ(panel->ChartCaption()->text(), "ChartPosition history of Moon Miners");

    // A game a single week on sale: an empty grid over its two weeks.
    ClickRow(list, 1);
    Paint(panel->Graph());
    EXPECT_EQ(panel->ChartCaption()->text(), "ChartPosition history of Pixel Pets");
    EXPECT_EQ(panel->LastHistory()->XMax, 2);
    EXPECT_TRUE(panel->LastHistory()->Segments.empty());

    // Resizing the window draws the graph from scratch too.
    ClickRow(list, 0);
    Paint(panel->Graph());
    EXPECT_EQ(panel->LastHistory()->XMax, 11);
    Window->resize(Window->width() + 120, Window->height() + 60);
    QApplication::processEvents();
    Paint(panel->Graph());
    EXPECT_EQ(panel->LastHistory()->XMax, 302);
}

TEST_F(InfoPanelsTest, CompanyDetailsSaysSoWithoutGamesAndHasAKnowledgeTab) {
    Open("Company Details");
    auto* panel = PanelOf<TCompanyDetailsPanel>("Company Details");
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(panel->GamesList()->rowCount(), 0);
    EXPECT_TRUE(panel->NoGamesNote()->isVisible());
    // The games and the studio's knowledge, one tab each.
    EXPECT_EQ(panel->Sections()->count(), 2);
    EXPECT_EQ(panel->Sections()->widget(1), static_cast<QWidget*>(panel->Knowledge()));
    EXPECT_TRUE(panel->Sections()->tabBar()->isVisible());
}

// The tour needs its own window start: it answers the start screen itself.
TEST_F(TGuiTest, ScreenshotTourPicturesEveryScreenAndEndsTheProgram) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    auto* tour = new TScreenshotTour(*Window, folder.path(), 3);
    Window->StartupTick();
    EXPECT_EQ(tour->WeeksPlayed, 3);
    EXPECT_TRUE(Window->ProgramEnded());
    EXPECT_TRUE(tour->Failed.isEmpty()) << tour->Failed.join(' ').toStdString();

    QStringList expected = {"start-screen.png", "news-window.png", "score-sheet.png", "smallest-window.png",
                            "large-window-panel-over-panel.png"};
    for (const QString& link : Window->PanelLinks())
        expected.append(TScreenshotTour::FileName(link));
    EXPECT_TRUE(expected.contains("financial-info.png"));
    EXPECT_TRUE(expected.contains("company-details.png"));
    for (const QString& file : expected) {
        const QImage picture(QDir(folder.path()).filePath(file));
        EXPECT_FALSE(picture.isNull()) << file.toStdString();
        EXPECT_TRUE(tour->Written.contains(file)) << file.toStdString();
    }
    EXPECT_EQ(tour->Written.size(), expected.size());
    EXPECT_EQ(TScreenshotTour::FileName("Office and Equipment"), "office-and-equipment.png");
}

} // namespace
