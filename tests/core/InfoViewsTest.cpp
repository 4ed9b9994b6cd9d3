// The information views without a window: the graph grid's arithmetic, the finance table and
// graphs, the market lists and the chart history of the studio's games.
#include <gtest/gtest.h>

#include "GameFixture.h"
#include "state/PlatformTables.h"
#include "state/TextFields.h"
#include "views/CompanyDetails.h"
#include "views/Finance.h"
#include "views/GraphGrid.h"
#include "views/MarketInfo.h"
#include "views/NumberText.h"
#include "views/PortView.h"
#include "views/StatusView.h"

namespace {

std::vector<double> LabelValues(const std::vector<TGridLabel>& labels) {
    std::vector<double> values;
    for (const TGridLabel& label : labels)
        values.push_back(label.Value);
    return values;
}

std::vector<std::string> LabelTexts(const std::vector<TGridLabel>& labels) {
    std::vector<std::string> texts;
    for (const TGridLabel& label : labels)
        texts.push_back(label.Text);
    return texts;
}

// Vertical grid lines (at X positions) and horizontal ones (at Y positions).
int VerticalLines(const TGridPicture& picture) {
    int n = 0;
    for (const TGridLine& line : picture.GridLines)
        n += line.X1 == line.X2;
    return n;
}
int HorizontalLines(const TGridPicture& picture) {
    return static_cast<int>(picture.GridLines.size()) - VerticalLines(picture);
}

// ---- The grid ---------------------------------------------------------------------------

TEST(GraphGridTest, PropertiesStartAtTheirDefaultsAndKeepTheirFloors) {
    TGridProperties p;
    EXPECT_EQ(int(p.MarginTop), 10);
    EXPECT_EQ(int(p.MarginBottom), 30);
    EXPECT_EQ(int(p.MarginLeft), 50);
    EXPECT_EQ(int(p.MarginRight), 20);
    EXPECT_EQ(p.XMin, -30);
    EXPECT_EQ(p.XMax, 30);
    EXPECT_EQ(p.YMin, 0);
    EXPECT_EQ(p.YMax, 100);
    EXPECT_EQ(int(p.XGridRange), 7);
    EXPECT_EQ(int(p.YLabelRange), 11);
    EXPECT_EQ(p.GridMode, TGridMode::mBoth);
    EXPECT_EQ(p.GridColor, (TRgb{128, 128, 128}));
    EXPECT_TRUE(p.XInterlabelGrid && p.YInterlabelGrid);
    EXPECT_FALSE(p.XInteger || p.YInteger);

    p.MarginLeft = -5;
    p.XGridRange = 0;
    p.YGridRange = -3;
    p.XLabelRange = 9;
    p.YLabelRange = 12;
    EXPECT_EQ(int(p.MarginLeft), 0);
    EXPECT_EQ(int(p.XGridRange), 1);
    EXPECT_EQ(int(p.YGridRange), 1);
    EXPECT_EQ(int(p.XLabelRange), 10);
    EXPECT_EQ(int(p.YLabelRange), 12);
}

TEST(GraphGridTest, LabelStepIsTheSmallestOneTwoOrFiveThatKeepsLabelsApart) {
    struct TCase {
        double Wanted;
        bool Integer;
        double Step;
        int Form;
    } cases[] = {
        {4.096, false, 5, 5},       // the finance graph's weeks
        {1.0, false, 1, 1},         // exactly a step
        {1.00005, false, 1, 1},     // within a ten-thousandth of it
        {1.0002, false, 2, 2},      // beyond it
        {0.03, false, 0.05, 5},     // below one
        {0.03, true, 1, 1},         // an integer axis never goes below 1
        {0.11, false, 0.2, 2},      //
        {20.1, false, 50, 5},       //
        {123456, false, 200000, 2}, //
        {999.99, false, 1000, 1},   //
    };
    for (const TCase& c : cases) {
        int form = 0;
        // A label range of 10 over a range of wanted x span / 10.
        const double step = GridLabelStep(10, c.Wanted * 100, 1000, c.Integer, form);
        EXPECT_NEAR(step, c.Step, c.Step * 1e-12) << c.Wanted;
        EXPECT_EQ(form, c.Form) << c.Wanted;
    }
}

TEST(GraphGridTest, FinanceWeeksOnTheirPlotAreLabelledEveryFifthWeekWithoutInterlabelLines) {
    TGridProperties p;
    p.XMin = 1;
    p.XMax = 52;
    p.YMax = 0; // no Y axis
    const TGridPicture picture = DrawGrid(p, 319, 216, 8);
    ASSERT_TRUE(picture.XAxis);
    EXPECT_FALSE(picture.YAxis);
    EXPECT_EQ(picture.XLabelStep, 5);
    EXPECT_EQ(picture.XSubdivision, 1); // a fifth of 24.4 pixels is below 7
    EXPECT_EQ(LabelValues(picture.XLabels), (std::vector<double>{5, 10, 15, 20, 25, 30, 35, 40, 45, 50}));
    EXPECT_EQ(VerticalLines(picture), 10);
    EXPECT_EQ(picture.Mapping.XScale, 249.0 / 51);
    EXPECT_EQ(picture.Mapping.YScale, 0);

    // Week 5 lies 19.53 pixels right of week 1; its label is centred under it.
    const TGridLabel& five = picture.XLabels.front();
    EXPECT_EQ(five.Position, 70);
    EXPECT_EQ(five.Text, "5");
    EXPECT_EQ(five.Width, 6);
    EXPECT_EQ(five.Left, 67);
    EXPECT_EQ(five.Top, 216 - 30 + 7);
    const TGridLabel& fifty = picture.XLabels.back();
    EXPECT_EQ(fifty.Width, 12);
    EXPECT_EQ(fifty.Left, fifty.Position - 6);
    EXPECT_EQ(picture.GridLines.front(), (TGridLine{70, 186, 70, 10}));
    // A short tick at every drawn position and a long one at every label.
    EXPECT_EQ(picture.Ticks.size(), 20u);
    EXPECT_NE(std::find(picture.Ticks.begin(), picture.Ticks.end(), TGridLine{70, 186, 70, 191}),
              picture.Ticks.end());
}

TEST(GraphGridTest, SubdivisionAndFirstValuesFollowTheStepsForm) {
    // 0..10 over 300 pixels: labels every 1 (30 pixels), grid lines every half.
    TGridProperties p;
    p.MarginLeft = 0;
    p.MarginRight = 0;
    p.XMin = 0;
    p.XMax = 10;
    p.YMax = 0;
    TGridPicture picture = DrawGrid(p, 300, 100, 8);
    EXPECT_EQ(picture.XLabelStep, 1);
    EXPECT_EQ(picture.XSubdivision, 2);
    EXPECT_EQ(VerticalLines(picture), 21);
    EXPECT_EQ(picture.XLabels.size(), 11u);

    p.XInterlabelGrid = false;
    picture = DrawGrid(p, 300, 100, 8);
    EXPECT_EQ(VerticalLines(picture), 11);
    EXPECT_EQ(picture.Ticks.size(), 22u);

    // A range starting between grid values: the first grid line and label are the next multiples,
    // and the labels fall on the right grid lines.
    p.XInterlabelGrid = true;
    p.XMin = 0.3;
    p.XMax = 10.3;
    picture = DrawGrid(p, 300, 100, 8);
    EXPECT_EQ(VerticalLines(picture), 20); // 0.5, 1, ..., 10
    EXPECT_EQ(picture.GridLines.front().X1, picture.Mapping.XToPixel(0.5));
    EXPECT_EQ(LabelValues(picture.XLabels).front(), 1);
    EXPECT_EQ(picture.XLabels.size(), 10u);

    // A minimum a hair below a multiple counts as that multiple.
    p.XMin = 0.99999;
    picture = DrawGrid(p, 300, 100, 8);
    EXPECT_EQ(LabelValues(picture.XLabels).front(), 1);

    // An axis of millions is subdivided by its pixels as any other: labels 15.5 pixels apart
    // get one line between them, not nine.
    TGridProperties money;
    money.XMax = money.XMin;
    money.YMax = 1550000;
    picture = DrawGrid(money, 400, 280, 8);
    EXPECT_EQ(picture.YLabelStep, 100000);
    EXPECT_EQ(picture.YSubdivision, 2);
    EXPECT_EQ(HorizontalLines(picture), 32); // 0, 50000, ..., 1550000

    // Only grid lines the mode asks for; ticks and labels all the same.
    p.XMin = 0;
    p.XMax = 10;
    p.GridMode = TGridMode::mHor;
    picture = DrawGrid(p, 300, 100, 8);
    EXPECT_EQ(VerticalLines(picture), 0);
    EXPECT_EQ(picture.XLabels.size(), 11u);
    EXPECT_FALSE(picture.Ticks.empty());
}

TEST(GraphGridTest, YLabelsReadInShortestFormLeftOfThePlot) {
    TGridProperties p;
    p.XMax = p.XMin; // no X axis
    p.YMin = 0;
    p.YMax = 1;
    // 100 pixels high plot: labels every 0.2 (20 pixels), grid lines every 0.1.
    const TGridPicture picture = DrawGrid(p, 200, 140, 8);
    EXPECT_FALSE(picture.XAxis);
    ASSERT_TRUE(picture.YAxis);
    EXPECT_EQ(picture.YSubdivision, 2);
    EXPECT_EQ(LabelTexts(picture.YLabels), (std::vector<std::string>{"0", "0.2", "0.4", "0.6", "0.8", "1"}));
    EXPECT_EQ(HorizontalLines(picture), 11);
    const TGridLabel& point6 = picture.YLabels[3];
    EXPECT_EQ(point6.Position, 110 - 60);
    EXPECT_EQ(point6.Width, 15); // "0" and "6" six units each, "." three: 15 at size 8
    EXPECT_EQ(point6.Left, 50 - 15 - 7);
    EXPECT_EQ(point6.Top, 50 - 6);
    EXPECT_EQ(picture.GridLines.front(), (TGridLine{50, 110, 180, 110}));
}

TEST(GraphGridTest, NothingIsDrawnWhenTheMarginsFillTheControlOrARangeIsEmpty) {
    TGridProperties p;
    TGridPicture picture = DrawGrid(p, 70, 300, 8); // 50 + 20 leave no plot
    EXPECT_FALSE(picture.XAxis || picture.YAxis);
    EXPECT_TRUE(picture.GridLines.empty() && picture.Ticks.empty());
    EXPECT_EQ(picture.Mapping.XScale, 0);
    picture = DrawGrid(p, 400, 40, 8); // 10 + 30
    EXPECT_FALSE(picture.XAxis || picture.YAxis);

    p.YMax = p.YMin;
    picture = DrawGrid(p, 400, 300, 8);
    EXPECT_TRUE(picture.XAxis);
    EXPECT_FALSE(picture.YAxis);
    EXPECT_EQ(picture.Mapping.YScale, 0);
    EXPECT_EQ(picture.Mapping.YToPixel(1e6), 270); // every value on the bottom edge
}

TEST(GraphGridTest, LabelEventsMayRewriteTheTextAndSeeCountPositionAndValue) {
    TGridProperties p;
    p.XMin = 1;
    p.XMax = 52;
    p.YMax = 0;
    std::vector<std::tuple<int, int, double>> seen;
    TGridLabelEvents events;
    events.OnXLabel = [&seen](std::string& text, int count, int position, double value) {
        seen.emplace_back(count, position, value);
        text = "W" + text;
    };
    const TGridPicture picture = DrawGrid(p, 319, 216, 8, events);
    ASSERT_EQ(seen.size(), 10u);
    EXPECT_EQ(seen.front(), std::make_tuple(1, 70, 5.0));
    EXPECT_EQ(std::get<0>(seen.back()), 10);
    EXPECT_EQ(picture.XLabels.front().Text, "W5");
    // The width, and so the position, is that of the rewritten text.
    EXPECT_EQ(picture.XLabels.front().Width, 12);
    EXPECT_EQ(picture.XLabels.front().Left, 64);
}

TEST(GraphGridTest, LabelTextsAndWidths) {
    EXPECT_EQ(GridLabelText(5), "5");
    EXPECT_EQ(GridLabelText(0.5), "0.5");
    EXPECT_EQ(GridLabelText(1000000), "1000000");
    EXPECT_EQ(GridLabelText(0.1 + 0.2), "0.3");
    EXPECT_EQ(GridLabelText(-0.0), "0");
    EXPECT_EQ(GridLabelText(-2.5), "-2.5");
    EXPECT_EQ(GridLabelText(2000000000 - 1e-7), "2000000000");
    EXPECT_EQ(GridLabelText(1e15), "1E15");

    EXPECT_EQ(GridLabelWidth("1000000", 8), 42);
    EXPECT_EQ(GridLabelWidth("-1.5", 8), 18);
    EXPECT_EQ(GridLabelWidth("+1,5", 8), 18);
    EXPECT_EQ(GridLabelWidth("5", 9), 7);    // 6.75
    EXPECT_EQ(GridLabelWidth("55", 9), 14);  // 13.5, halves to even
    EXPECT_EQ(GridLabelWidth("5.5", 9), 17); // 16.875
    EXPECT_EQ(GridLabelWidth("5", 10), 8);   // 7.5 to even
}

TEST(GraphGridTest, PixelsAreRoundedHalfToEvenAndLargerValuesLieHigher) {
    TGridMapping m;
    m.MarginLeft = 10;
    m.MarginBottom = 30;
    m.Height = 230;
    m.XMin = 0;
    m.YMin = 100;
    m.XScale = 0.5;
    m.YScale = 0.5;
    EXPECT_EQ(m.XToPixel(1), 10); // 0.5 to 0
    EXPECT_EQ(m.XToPixel(3), 12); // 1.5 to 2
    EXPECT_EQ(m.XToPixel(5), 12); // 2.5 to 2
    EXPECT_EQ(m.YToPixel(100), 200);
    EXPECT_EQ(m.YToPixel(105), 198); // 2.5 to 2
    EXPECT_EQ(m.YToPixel(107), 196); // 3.5 to 4
    EXPECT_LT(m.YToPixel(300), m.YToPixel(200));
    EXPECT_EQ(m.XValue(m.XToPixel(40)), 40);
    EXPECT_EQ(m.YValue(m.YToPixel(140)), 140);
}

// ---- Finance ------------------------------------------------------------------------------

class FinanceViewTest : public GameFixture {
protected:
    void SetUp() override {
        GameFixture::SetUp();
        Company.Year = 1987;
        Company.Week = 30;
        for (TWeekHistory TCompany::*h :
             {&TCompany::HistIncome, &TCompany::HistInterest, &TCompany::HistCosts, &TCompany::HistEmployees,
              &TCompany::HistMoney})
            for (auto& year : Company.*h)
                year.Fill(0);
    }
    TFinanceView& View() { return Game.Views.Finance; }
};

TEST_F(FinanceViewTest, TheTableSumsThisYearsWeeks) {
    Company.HistIncome[1987][1] = 1200000;
    Company.HistIncome[1987][52] = 34567;
    Company.HistIncome[1986][5] = 999; // another year
    Company.HistInterest[1987][10] = 2500;
    Company.HistInterest[1987][20] = 2500;
    Company.HistCosts[1987][3] = 70000;
    Company.HistMoney[1987][1] = 1500000;
    Company.HistMoney[1987][30] = -45000;
    Company.HistMoney[1987][31] = 777; // after this week

    OpenFinanceView(Game, View());
    const auto& t = View().Table;
    const std::array<std::array<std::string, 3>, 7> expected = {{
        {"", "Income", "expense"},
        {"Interest of Bank loan", "", "5,000$"},
        {"All Expenses", "", "70,000$"},
        {"All Income", "1,234,567$", ""},
        {"", "", ""},
        {"", "Start of Year", "Current balance"},
        {"Bank Balance", "1,500,000$", "-45,000$"},
    }};
    EXPECT_EQ(t, expected);
    // Opening leaves the graph alone.
    EXPECT_EQ(View().GraphTitle, "Graph");
    EXPECT_EQ(View().Graph, -1);
    EXPECT_EQ(View().Grid.XMin, -30);
}

TEST_F(FinanceViewTest, EachButtonHasItsTitleColourHistoryAndLowerLimit) {
    struct TCase {
        const char* Button;
        const char* Title;
        TRgb Colour;
        TWeekHistory TCompany::*History;
        int Lower;
    } cases[] = {
        {"Income", "Income graph", {0, 128, 0}, &TCompany::HistIncome, 0},
        {"Bankloan", "Interrest of bankLoan", {255, 0, 0}, &TCompany::HistInterest, 0},
        {"Cost Weekly", "Weekly Cost Graph", {0, 128, 0}, &TCompany::HistCosts, 1},
        {"Employees", "Numbers Of employees", {0, 128, 0}, &TCompany::HistEmployees, 0},
        {"Money", "Money Graph", {255, 0, 0}, &TCompany::HistMoney, 0},
    };
    for (size_t k = 0; k < std::size(cases); ++k) {
        const TCase& c = cases[k];
        // A history of its own in each, so the right one is copied.
        (Company.*c.History)[1987][7] = 1000 * static_cast<int>(k + 1);
        ShowFinanceGraph(Game, View(), static_cast<int>(k));
        EXPECT_EQ(FinanceGraphs[k].Button, std::string(c.Button));
        EXPECT_EQ(FinanceGraphs[k].Colour, c.Colour) << c.Button;
        EXPECT_EQ(View().GraphTitle, c.Title);
        EXPECT_EQ(View().Graph, static_cast<int>(k));
        EXPECT_EQ(View().Grid.XMin, 1);
        EXPECT_EQ(View().Grid.XMax, 52);
        EXPECT_EQ(View().Grid.YMin, c.Lower) << c.Button;
        EXPECT_EQ(View().GraphBuffer[1987][7], 1000 * static_cast<int>(k + 1)) << c.Button;
        EXPECT_EQ(View().Grid.YMax, 1050 * static_cast<int>(k + 1)) << c.Button;
    }
}

TEST_F(FinanceViewTest, TheTopGrowsByATwentiethOverEachNewLargestWeek) {
    Company.HistMoney[1987][1] = 100;
    Company.HistMoney[1987][2] = 104;
    ShowFinanceGraph(Game, View(), 4);
    EXPECT_EQ(View().Grid.YMax, 105);

    Company.HistMoney[1987][3] = 106;
    Company.HistMoney[1987][4] = 39; // 39 div 20 is 1
    ShowFinanceGraph(Game, View(), 4);
    EXPECT_EQ(View().Grid.YMax, 111);
}

TEST_F(FinanceViewTest, AZeroYearDrawsNoYAxisAndNoPoints) {
    Company.HistIncome[1986][10] = 500; // last year only
    ShowFinanceGraph(Game, View(), 0);
    EXPECT_EQ(View().Grid.YMax, 0);
    const TGridPicture picture = DrawGrid(View().Grid, 319, 216, 8);
    EXPECT_TRUE(picture.XAxis);
    EXPECT_FALSE(picture.YAxis);
    EXPECT_TRUE(picture.YLabels.empty());
    EXPECT_TRUE(FinanceSeries(View().GraphBuffer, 1987).empty());
}

TEST_F(FinanceViewTest, WeeksAtOrBelowZeroAreNotReachedAndWeek52HasNoMarkerOfItsOwn) {
    for (int w = 1; w <= 52; ++w)
        Company.HistMoney[1987][w] = 1000 * w;
    Company.HistMoney[1987][10] = -5000;
    Company.HistMoney[1987][20] = 0;
    ShowFinanceGraph(Game, View(), 4);
    const std::vector<TSeriesSegment> series = FinanceSeries(View().GraphBuffer, 1987);
    std::vector<double> starts;
    for (const TSeriesSegment& s : series) {
        starts.push_back(s.X1);
        EXPECT_EQ(s.X2, s.X1 + 1);
        EXPECT_EQ(s.Y1, View().GraphBuffer[1987][static_cast<int>(s.X1)]);
        EXPECT_EQ(s.Y2, View().GraphBuffer[1987][static_cast<int>(s.X2)]);
    }
    // Every week 1..51 starts a segment except those before week 10 and week 20.
    EXPECT_EQ(series.size(), 49u);
    EXPECT_EQ(std::count(starts.begin(), starts.end(), 9.0), 0);
    EXPECT_EQ(std::count(starts.begin(), starts.end(), 19.0), 0);
    // The negative week still leads on to the next one.
    EXPECT_EQ(std::count(starts.begin(), starts.end(), 10.0), 1);
    EXPECT_EQ(std::count(starts.begin(), starts.end(), 52.0), 0);
    EXPECT_EQ(series.back(), (TSeriesSegment{51, 51000, 52, 52000}));
}

TEST_F(FinanceViewTest, ThePointerReadsTheWeekAndItsValue) {
    Company.HistEmployees[1987][12] = 1234;
    EXPECT_EQ(FinancePointText(View(), 1987, 12), ""); // no graph yet
    ShowFinanceGraph(Game, View(), 3);
    EXPECT_EQ(FinancePointText(View(), 1987, 11.6), "Week 12: 1,234");
    EXPECT_EQ(FinancePointText(View(), 1987, 0.4), "");
    EXPECT_EQ(FinancePointText(View(), 1987, 52.6), "");
    // Every other graph shows dollars.
    Company.HistMoney[1987][12] = -1500000;
    ShowFinanceGraph(Game, View(), 4);
    EXPECT_EQ(FinancePointText(View(), 1987, 12), "Week 12: -1,500,000$");
}

// An open graph follows the weeks: refreshing the view copies the chosen history again.
TEST_F(FinanceViewTest, AChosenGraphFollowsEveryWeek) {
    Company.HistMoney[1987][30] = 400000;
    ShowFinanceGraph(Game, View(), 4);
    ASSERT_EQ(View().GraphBuffer[1987][30], 400000);
    Company.Week = 31;
    Company.HistMoney[1987][31] = 900000;
    OpenFinanceView(Game, View());
    EXPECT_EQ(View().Graph, 4);
    EXPECT_EQ(View().GraphBuffer[1987][31], 900000);
    EXPECT_EQ(View().Grid.YMax, 900000 + 900000 / 20) << "the top follows the new largest week";
    EXPECT_EQ(FinancePointText(View(), 1987, 31), "Week 31: 900,000$");
}

TEST(NumberTextTest, CountsAndMoneyHaveOneFormEach) {
    const struct {
        int64_t Value;
        const char* Count;
    } cases[] = {{0, "0"},
                 {999, "999"},
                 {1000, "1,000"},
                 {-45000, "-45,000"},
                 {-100000, "-100,000"},
                 {2147483647, "2,147,483,647"},
                 {INT64_MIN, "-9,223,372,036,854,775,808"}};
    for (const auto& c : cases) {
        EXPECT_EQ(CountText(c.Value), c.Count);
        EXPECT_EQ(MoneyText(c.Value), std::string(c.Count) + "$");
    }
}

// The same figure reads the same on every view: the status area, the finance table, the games
// list and the porting dialog all print the money of 1,500,000 alike.
TEST_F(FinanceViewTest, MoneyReadsTheSameOnEveryView) {
    Company.Money = 1500000;
    Company.HistMoney[1987][30] = 1500000;
    TGameEntry own = BlankRecord<TGameEntry>();
    own.Title = "Moon Miners";
    own.ByPlayer = true;
    own.Income = 1500000;
    own.TotalSales = 1500000;
    Game.State.ReleasedGames.Append(own);
    OpenFinanceView(Game, View());
    ShowGamesList(Game, Game.Views.Company);
    EXPECT_EQ(StatusView(Game).MoneyText, "1,500,000$");
    EXPECT_EQ(View().Table[6][2], "1,500,000$");
    ASSERT_EQ(Game.Views.Company.Rows.size(), 1u);
    EXPECT_EQ(Game.Views.Company.Rows[0].Income, "1,500,000$");
    EXPECT_EQ(Game.Views.Company.Rows[0].Sales, "1,500,000") << "units are a count";
    ASSERT_EQ(PortRows(Game).size(), 1u);
    EXPECT_EQ(PortRows(Game)[0].Income, "1,500,000$");
}

// ---- Market -------------------------------------------------------------------------------

TEST(MarketInfoWordsTest, InUseWordsAtTheirLimits) {
    struct TCase {
        double Sold, InUse;
        const char* Word;
    } cases[] = {
        {100000, 30000, ""}, // neither below 20000 nor a third
        {100000, 10000, "A Little"},
        {100000, 19999, "A Little"},
        {100000, 20000, ""},
        {100000, 33333, "More than 33%"}, // a third rounds to 33333
        {100000, 33332, ""},
        {30000, 15000, "More than 50%"}, // overrides "A Little"
        {100000, 49999, "More than 33%"},
        {100000, 50000, "More than 50%"},
        {100000, 74999, "More than 50%"},
        {100000, 75000, "More Than 75%"},
        {100000, 89999, "More Than 75%"},
        {100000, 90000, "More Than 90%"},
        {100000, 99999, "More Than 90%"},
        {100000, 100000, "All"},
        {5, 5, "All"},
    };
    for (const TCase& c : cases)
        EXPECT_EQ(InUseWord(c.Sold, c.InUse), c.Word) << c.Sold << " " << c.InUse;
}

TEST(MarketInfoWordsTest, DemandWordsAroundTheirLimits) {
    const std::pair<int, const char*> cases[] = {
        {10, "Bad"},          {14, "Bad"},       {15, "Bad"},       {16, "Below normal"},
        {25, "Below normal"}, {26, "Normal"},    {35, "Normal"},    {36, "Above Normal"},
        {45, "Above Normal"}, {46, "Very Good"}, {55, "Very Good"}, {56, "Booming !!"},
        {60, "Booming !!"},
    };
    for (const auto& [popularity, word] : cases)
        EXPECT_EQ(DemandWord(popularity), word) << popularity;
}

class MarketInfoTest : public GameFixture {
protected:
    void SetUp() override {
        GameFixture::SetUp();
        Company.Year = 1990;
        auto& now = Game.State.Platforms;
        for (int i = 0; i < 26; ++i) {
            now.UnitsSold[i] = 0;
            Game.State.PlatformsTwoWeeksAgo.UnitsSold[i] = 0;
        }
    }
    void SetPlatform(int i, double sold, double inUse, int piracy, int releaseYear, int lifetime,
                     double soldTwoWeeksAgo) {
        auto& now = Game.State.Platforms;
        now.UnitsSold[i] = sold;
        now.UnitsInUse[i] = inUse;
        now.Piracy[i] = piracy;
        now.ReleaseYear[i] = releaseYear;
        now.Lifetime[i] = lifetime;
        Game.State.PlatformsTwoWeeksAgo.UnitsSold[i] = soldTwoWeeksAgo;
    }
};

TEST_F(MarketInfoTest, PlatformRowsInListOrderColouredByTheirMarketsEnd) {
    SetPlatform(1, 3250000.4, 3250000.4, 25, 1982, 12, 3240000); // ends 1994
    SetPlatform(0, 1000000, 950000, 10, 1985, 6, 999000.5);      // ends 1991, next year
    SetPlatform(4, 80000, 10000, 5, 1990, 1, 70000);             // ends 1991 too
    SetPlatform(6, 500000, 100000, 40, 1981, 8, 500000);         // ended in 1989
    TMarketView& view = Game.Views.Market;
    ShowMarketInfo(Game, view);

    ASSERT_EQ(view.Platforms.size(), 6u);
    EXPECT_EQ(view.Platforms[0].Text,
              "Platform           Sold units    Est. Units in use  Piracy  Sold this week");
    EXPECT_EQ(view.Platforms[1].Text, "");
    // Platform (18 + 1), sold (13 + 1), in use (18 + 1), piracy (8 + 1), then this week's sales.
    EXPECT_EQ(view.Platforms[2].Text, "Amiga              1,000,000     More Than 90%      10%      1,000");
    EXPECT_EQ(view.Platforms[3].Text, "Commodore 64       3,250,000     All                25%      10,000");
    EXPECT_EQ(view.Platforms[4].Text, "Windows            80,000        A Little           5%       10,000");
    EXPECT_EQ(view.Platforms[5].Text.substr(0, 9), "Spectrum ");
    // The header's last heading stands one column left of its numbers.
    EXPECT_EQ(view.Platforms[0].Text.find("Sold this week"), 60u);
    EXPECT_EQ(view.Platforms[2].Text.rfind("1,000"), 61u);

    EXPECT_EQ(view.Platforms[0].Style, TMarketStyle::Normal);
    EXPECT_EQ(view.Platforms[2].Style, TMarketStyle::Warning); // 1991 = 1990 + 1
    EXPECT_EQ(view.Platforms[3].Style, TMarketStyle::Normal);  // 1994
    EXPECT_EQ(view.Platforms[4].Style, TMarketStyle::Warning);
    EXPECT_EQ(view.Platforms[5].Style, TMarketStyle::Ended); // 1989

    EXPECT_EQ(MarketStyle(1992, 1990), TMarketStyle::Normal);
    EXPECT_EQ(MarketStyle(1991, 1990), TMarketStyle::Warning);
    EXPECT_EQ(MarketStyle(1990, 1990), TMarketStyle::Ended);
}

TEST_F(MarketInfoTest, GenreLinesNameEveryGenreWithItsDemand) {
    const int popularity[7] = {14, 15, 16, 25, 26, 55, 56};
    for (int g = 0; g < 7; ++g)
        Company.GenrePopularity[g] = static_cast<uint8_t>(popularity[g]);
    ShowMarketInfo(Game, Game.Views.Market);
    const std::vector<std::string> expected = {
        "Genre        Demand     ",  "",
        "Action       Bad",          "Adventure    Bad",
        "Strategy     Below normal", "Racing       Below normal",
        "Sport        Normal",       "RPG          Very Good",
        "Sim          Booming !!",
    };
    EXPECT_EQ(Game.Views.Market.Genres, expected);
}

// ---- Company Details ----------------------------------------------------------------------

class CompanyDetailsTest : public GameFixture {
protected:
    void SetUp() override {
        GameFixture::SetUp();
        Released().Clear();
        Released().Append(Entry("Rival Runner", false, 0));
        Released().Append(Entry("Moon Miners", true, 10));
        Released().Append(Entry("Other Studio", false, 3));
        Released().Append(Entry("Pixel Pets", true, 1));
        ShowGamesList(Game, View());
    }
    TGameList& Released() { return Game.State.ReleasedGames; }
    TCompanyView& View() { return Game.Views.Company; }

    TGameEntry Entry(const std::string& title, bool byPlayer, int weeksOnSale) {
        TGameEntry e = BlankRecord<TGameEntry>();
        e.Title = title;
        e.ByPlayer = byPlayer;
        e.Platform = 12;
        e.ReleaseWeek = 7;
        e.ReleaseYear = 1986;
        e.Income = 1234567;
        e.TotalSales = 45000;
        e.WeeksOnSale = static_cast<uint8_t>(weeksOnSale);
        // Released: out of the chart everywhere, then the weeks it was charted.
        for (int w = 1; w <= 300; ++w)
            e.ChartHistory[w] = NoChartPos;
        for (int w = 1; w <= weeksOnSale; ++w)
            e.ChartHistory[w] = static_cast<uint8_t>(10 * w);
        return e;
    }
};

TEST_F(CompanyDetailsTest, TheListShowsThePlayersGamesAndWhereEachOneIs) {
    EXPECT_EQ(std::string(TCompanyView::Headings[4]), "income+cost");
    ASSERT_EQ(View().Rows.size(), 2u);
    const TGamesListRow& first = View().Rows[0];
    EXPECT_EQ(first.Game, "Moon Miners");
    EXPECT_EQ(first.Platform, "NES");
    EXPECT_EQ(first.ReleaseDate, "7/1986");
    EXPECT_EQ(first.Income, "1,234,567$");
    EXPECT_EQ(first.Sales, "45,000");
    EXPECT_EQ(View().Rows[1].Game, "Pixel Pets");
    EXPECT_EQ(View().ReleasedRowMap[1], 1);
    EXPECT_EQ(View().ReleasedRowMap[2], 3);
    EXPECT_EQ(View().ReleasedRowMap[3], 0);

    // Opening again starts the map afresh.
    Released()[3].ByPlayer = false;
    ShowGamesList(Game, View());
    EXPECT_EQ(View().Rows.size(), 1u);
    EXPECT_EQ(View().ReleasedRowMap[2], 0);
}

TEST_F(CompanyDetailsTest, AtMost500GamesAreListed) {
    for (int i = 0; i < 505; ++i)
        Released().Append(Entry("Game " + std::to_string(i), true, 2));
    ShowGamesList(Game, View());
    ASSERT_EQ(View().Rows.size(), 500u);
    EXPECT_EQ(View().Rows.back().Game, "Game 497");
    EXPECT_EQ(View().ReleasedRowMap[500], 4 + 497);
}

TEST_F(CompanyDetailsTest, AnEmptyRowDoesNothing) {
    EXPECT_FALSE(ChooseGameRow(View(), 3));
    EXPECT_FALSE(ChooseGameRow(View(), 0));
    EXPECT_EQ(View().SelectedRow, 0);
    EXPECT_FALSE(DrawChartHistory(Game, View(), true).has_value());
    EXPECT_EQ(View().ChartCaption, "Game ChartPosition history");
    EXPECT_FALSE(View().CaptionRed);
    EXPECT_EQ(View().ChartGrid.XMin, 1);
    EXPECT_EQ(View().ChartGrid.XMax, 26);
    EXPECT_EQ(ChartPointText(Game, View(), 3), "");

    // With a game chosen, an empty row leaves it chosen.
    ASSERT_TRUE(ChooseGameRow(View(), 1));
    EXPECT_FALSE(ChooseGameRow(View(), 7));
    EXPECT_EQ(View().SelectedRow, 1);
}

TEST_F(CompanyDetailsTest, TenWeeksOnSaleFitAfterAClickAndSpread302WeeksOnARepaint) {
    const TGridProperties setup = TCompanyView::ChartHistoryGrid();
    EXPECT_EQ(setup.YMin, 1);
    EXPECT_EQ(setup.YMax, 150);
    EXPECT_EQ(int(setup.MarginLeft), 28);
    EXPECT_EQ(int(setup.MarginTop), 8);
    EXPECT_EQ(int(setup.MarginRight), 8);
    EXPECT_EQ(int(setup.MarginBottom), 30);

    ASSERT_TRUE(ChooseGameRow(View(), 1));
    EXPECT_TRUE(View().ChartFit);
    std::optional<TChartHistory> drawing = DrawChartHistory(Game, View(), true);
    ASSERT_TRUE(drawing.has_value());
    EXPECT_EQ(View().ChartCaption, "ChartPosition history of Moon Miners");
    EXPECT_TRUE(View().CaptionRed);
    EXPECT_EQ(drawing->XMin, 0);
    EXPECT_EQ(drawing->XMax, 11);
    EXPECT_EQ(View().ChartGrid.XMin, 0);
    EXPECT_EQ(View().ChartGrid.XMax, 11);
    ASSERT_EQ(drawing->Segments.size(), 11u); // weeks 1..11, the last one on to week 12
    EXPECT_EQ(drawing->Segments.front(), (TSeriesSegment{1, 10, 2, 20}));
    EXPECT_EQ(drawing->Segments[9], (TSeriesSegment{10, 100, 11, NoChartPos}));
    EXPECT_EQ(drawing->Segments.back(), (TSeriesSegment{11, NoChartPos, 12, NoChartPos}));

    drawing = DrawChartHistory(Game, View(), false);
    ASSERT_TRUE(drawing.has_value());
    EXPECT_EQ(drawing->XMin, 0);
    EXPECT_EQ(drawing->XMax, 302);
    EXPECT_EQ(View().ChartGrid.XMax, 302);
    // The entry before the first week holds no position: the curve starts at week 1.
    ASSERT_EQ(drawing->Segments.size(), 11u);
    EXPECT_EQ(drawing->Segments.front(), (TSeriesSegment{1, 10, 2, 20}));

    EXPECT_EQ(ChartPointText(Game, View(), 3.2), "Week 3 on sale: No. 30 in the chart");
    Released()[1].ChartHistory[4] = NoChartPos;
    EXPECT_EQ(ChartPointText(Game, View(), 4), "Week 4 on sale: not in the chart");
    EXPECT_EQ(ChartPointText(Game, View(), 11), "");
}

// After a load every week before it reads 0: those weeks are not drawn at position 0; a
// recorded week before a gap keeps its marker as a segment of no length.
TEST_F(CompanyDetailsTest, WeeksWithoutAPositionAreNotDrawn) {
    TGameEntry& e = Released()[1];
    for (int w = 0; w <= 300; ++w)
        e.ChartHistory[w] = 0;
    e.ChartHistory[7] = 40;
    e.ChartHistory[8] = 30;
    e.ChartHistory[9] = NoChartPos;
    ASSERT_TRUE(ChooseGameRow(View(), 1));
    const std::optional<TChartHistory> drawing = DrawChartHistory(Game, View(), true);
    ASSERT_TRUE(drawing.has_value());
    const std::vector<TSeriesSegment> expected = {
        {7, 40, 8, 30}, {8, 30, 9, NoChartPos}, {9, NoChartPos, 9, NoChartPos}};
    EXPECT_EQ(drawing->Segments, expected);
}

TEST_F(CompanyDetailsTest, AGameAWeekOnSaleShowsAnEmptyGrid) {
    ASSERT_TRUE(ChooseGameRow(View(), 2));
    const std::optional<TChartHistory> drawing = DrawChartHistory(Game, View(), true);
    ASSERT_TRUE(drawing.has_value());
    EXPECT_EQ(drawing->XMax, 2);
    EXPECT_TRUE(drawing->Segments.empty());
    EXPECT_EQ(View().ChartCaption, "ChartPosition history of Pixel Pets");
}

} // namespace
