// The market panels of a real game with the competitor titles of the game database: the sales
// chart and its filters, the release calendar with its weeks, filters and chooser, and the
// Future Releases list.
#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTextEdit>
#include <string>

#include "GuiTestSupport.h"
#include "sim/Sales.h"
#include "state/PlatformTables.h"
#include "state/TextFields.h"
#include "ui/panels/CalendarPanel.h"
#include "ui/panels/FutureReleasesPanel.h"
#include "ui/panels/SalesChartPanel.h"
#include "ui/widgets/Cp1252.h"
#include "ui/widgets/LinkButton.h"
#include "views/Calendar.h"

namespace {

// The player picks an entry of a combo box.
void Choose(QComboBox* box, int index) {
    ASSERT_GE(index, 0);
    ASSERT_LT(index, box->count());
    box->setCurrentIndex(index);
    emit box->activated(index);
}

QString WeekTitle(int week, int year) {
    return QStringLiteral("Week %1, %2").arg(week).arg(year);
}

// A game a few weeks old (the suite's program folder holds the game database, so the
// competitors' titles are on the market).
class MarketPanelsTest : public TGuiTest {
protected:
    void SetUp() override {
        TGuiTest::SetUp();
        Start();
        for (int w = 0; w < 3; ++w)
            EndWeek();
        ASSERT_EQ(Game().State.Company.Week, 5);
        ASSERT_GT(Game().State.ReleasedGames.RealCount(), 150);
    }

    void EndWeek() { QTest::mouseClick(Window->Link("End Of Week"), Qt::LeftButton); }

    template <typename T>
    T* PanelOf(const QString& link) {
        auto* panel = dynamic_cast<T*>(Window->Panel(link));
        EXPECT_NE(panel, nullptr) << link.toStdString();
        return panel;
    }
};

TEST_F(MarketPanelsTest, SalesChartShowsTheWeekItsPlatformsAndTheAllTimeList) {
    Open("Sales Charts");
    auto* panel = PanelOf<TSalesChartPanel>("Sales Charts");
    ASSERT_NE(panel, nullptr);
    ASSERT_TRUE(panel->isVisible());
    const TGameList& games = Game().State.ReleasedGames;

    // The best seller of the week, found from the games themselves.
    int top = -1;
    for (int i = 0; i < games.RealCount(); ++i)
        if (!games[i].OffMarket && (top < 0 || games[i].WeekSales > games[top].WeekSales)) top = i;
    ASSERT_GE(top, 0);
    const QString topTitle = FromCp1252(FitColumn(games[top].Title.Str(), 20)).trimmed();

    EXPECT_EQ(panel->ChartTitle()->text(), "Weekly games sales (All Platforms)");
    EXPECT_EQ(panel->HeaderLine()->text(), FromCp1252(Game().WeeklyChart.Header));
    EXPECT_TRUE(panel->HeaderLine()->text().startsWith("Pos Last Weeks GameName"));
    QStringList rows = panel->Rows();
    ASSERT_EQ(rows.size(), 150);
    EXPECT_EQ(rows[0], FromCp1252(Game().WeeklyChart.Rows[0].Text));
    EXPECT_TRUE(rows[0].startsWith("1  ")) << rows[0].toStdString();
    EXPECT_TRUE(rows[0].contains(topTitle)) << rows[0].toStdString();
    EXPECT_EQ(panel->PlatformBox()->count(), 1 + PlatformCount);
    EXPECT_EQ(panel->PlatformBox()->currentText(), "All Platforms");

    // One platform: its own 30 places, every game on it.
    const int platform = games[top].Platform;
    const QString shortName = QString::fromLatin1(Platforms[platform].ShortName);
    const size_t logged = Game().Log.size();
    Choose(panel->PlatformBox(), platform + 1);
    EXPECT_EQ(panel->ChartTitle()->text(), "Weekly games sales (" + shortName + ")");
    EXPECT_EQ(Game().Views.Chart.Filter.Selected, platform + 1);
    // Only the screen changed: nothing for the replay.
    EXPECT_EQ(Game().Log.size(), logged);
    rows = panel->Rows();
    ASSERT_EQ(rows.size(), 30);
    EXPECT_TRUE(rows[0].contains(topTitle));
    for (const QString& row : rows)
        if (!row.trimmed().isEmpty()) {
            // Position (3 + 1), title (20 + 1), then the platform.
            EXPECT_EQ(row.mid(25, 10).trimmed(), shortName) << row.toStdString();
        }

    QTest::mouseClick(panel->AllTimeButton(), Qt::LeftButton);
    EXPECT_EQ(panel->ChartTitle()->text(), "All times best selling games");
    EXPECT_EQ(panel->Rows().size(), 150);
    EXPECT_FALSE(panel->HeaderLine()->text().contains("Last"));

    // The player's own game is printed in the header style; "All Platforms" again is the weekly
    // chart once more.
    Game().State.ReleasedGames[top].ByPlayer = true;
    Choose(panel->PlatformBox(), 0);
    EXPECT_EQ(panel->ChartTitle()->text(), "Weekly games sales (All Platforms)");
    EXPECT_TRUE(panel->RowInHeaderStyle(0));
    EXPECT_FALSE(panel->RowInHeaderStyle(1));

    // End Of Week with the panel open shows the new week's chart at once.
    Choose(panel->PlatformBox(), platform + 1);
    EndWeek();
    EXPECT_EQ(panel->ChartTitle()->text(), "Weekly games sales (All Platforms)");
    EXPECT_EQ(panel->PlatformBox()->currentIndex(), 0);
    rows = panel->Rows();
    ASSERT_EQ(rows.size(), 150);
    for (int r : {0, 1, 149})
        EXPECT_EQ(rows[r], FromCp1252(Game().WeeklyChart.Rows[r].Text));
}

TEST_F(MarketPanelsTest, CalendarShowsSixWeeksItsFiltersAndTheChooser) {
    const int week = Game().State.Company.Week;
    const int year = Game().State.Company.Year;
    Open("Release Calendar");
    auto* panel = PanelOf<TCalendarPanel>("Release Calendar");
    ASSERT_NE(panel, nullptr);
    auto titlesStartAt = [&](int first) {
        for (int k = 0; k < TCalendarPanel::ColumnCount; ++k) {
            if (panel->ColumnTitle(k)->text() != WeekTitle(first + k, year)) return false;
            QTableWidget* grid = panel->ColumnGrid(k);
            if (grid->horizontalHeaderItem(0)->text() != "Game") return false;
            if (grid->horizontalHeaderItem(1)->text() != "Rating") return false;
        }
        return true;
    };
    EXPECT_TRUE(titlesStartAt(week + 1));
    EXPECT_EQ(panel->GenreBox()->count(), GenreCount);
    EXPECT_EQ(panel->GenreBox()->currentText(), "Action");
    ASSERT_GT(panel->PlatformBox()->count(), 0);
    // Platforms by their names alone.
    for (int i = 0; i < panel->PlatformBox()->count(); ++i) {
        const std::string& item = Game().State.Lists.CalendarPlatforms.Items[i];
        EXPECT_EQ(panel->PlatformBox()->itemText(i),
                  QString::fromLatin1(Platforms[PlatformOfChoice(item)].ShortName));
    }
    EXPECT_EQ(panel->RatingBox()->count(), 10);
    EXPECT_EQ(panel->RatingBox()->itemText(5), "With rating of 5/10 or better");
    EXPECT_FALSE(panel->ChooserArea()->isVisible());
    EXPECT_TRUE(panel->XButton()->isVisible());
    EXPECT_TRUE(panel->CloseLink()->isVisible());

    QTest::mouseClick(panel->NextWeeksButton(), Qt::LeftButton);
    EXPECT_TRUE(titlesStartAt(week + 7));
    QTest::mouseClick(panel->NextWeeksButton(), Qt::LeftButton);
    QTest::mouseClick(panel->PreviousWeeksButton(), Qt::LeftButton);
    EXPECT_TRUE(titlesStartAt(week + 7));
    // Opening from the menu starts from the coming week again.
    Open("Release Calendar");
    EXPECT_TRUE(titlesStartAt(week + 1));

    // An announced title of this year, shown under its week once its genre and platform are
    // chosen, and hidden by a rating filter above its own rating.
    const TGameEntry* announced = nullptr;
    int platformIndex = -1;
    for (const TGameEntry& e : Game().State.UpcomingGames) {
        if (e.Moved || e.ReleaseYear != year || e.ReleaseWeek <= week || e.ReleaseWeek > 46) continue;
        platformIndex = panel->PlatformBox()->findText(QString::fromLatin1(Platforms[e.Platform].ShortName));
        if (platformIndex < 0) continue;
        announced = &e;
        break;
    }
    ASSERT_NE(announced, nullptr);
    Choose(panel->GenreBox(), announced->Genre);
    Choose(panel->PlatformBox(), platformIndex);
    EXPECT_EQ(Game().State.Lists.CalendarGenres.Selected, announced->Genre);
    EXPECT_EQ(Game().State.Lists.CalendarPlatforms.Selected, platformIndex);
    // Those lists are the game's own and their choices are logged for the replay; the pages
    // turned before them only changed the screen and are not.
    ASSERT_GE(Game().Log.size(), 2u);
    EXPECT_EQ(Game().Log[Game().Log.size() - 2].Action,
              "ChooseCalendarGenre " + std::to_string(announced->Genre));
    EXPECT_EQ(Game().Log.back().Action, "ChooseCalendarPlatform " + std::to_string(platformIndex));
    // "View Next weeks >" until its week is in view: weeks come in sixes from the coming one.
    const int column = (announced->ReleaseWeek - week - 1) % 6;
    for (int i = 0; i < 8 && !titlesStartAt(announced->ReleaseWeek - column); ++i)
        QTest::mouseClick(panel->NextWeeksButton(), Qt::LeftButton);
    ASSERT_TRUE(titlesStartAt(announced->ReleaseWeek - column));
    const QString title = FromCp1252(announced->Title.Str()).left(20);
    const QString rating = QStringLiteral("%1/10").arg(ReviewRating(announced->Quality));
    auto listed = [&] {
        QTableWidget* grid = panel->ColumnGrid(column);
        for (int r = 0; r < grid->rowCount(); ++r)
            if (grid->item(r, 0)->text().startsWith(title) && grid->item(r, 1)->text() == rating) return true;
        return false;
    };
    EXPECT_TRUE(listed());
    const int ownRating = ReviewRating(announced->Quality);
    Choose(panel->RatingBox(), ownRating);
    EXPECT_TRUE(listed());
    if (ownRating < 9) {
        Choose(panel->RatingBox(), ownRating + 1);
        EXPECT_FALSE(listed());
    }
    Choose(panel->RatingBox(), 0);

    // A title that went on sale this year is among the major games already released.
    Open("Release Calendar");
    const TGameEntry* onSale = nullptr;
    for (const TGameEntry& e : Game().State.UpcomingGames) {
        if (!e.Moved || e.ReleaseYear != year) continue;
        platformIndex = panel->PlatformBox()->findText(QString::fromLatin1(Platforms[e.Platform].ShortName));
        if (platformIndex < 0) continue;
        onSale = &e;
        break;
    }
    ASSERT_NE(onSale, nullptr);
    Choose(panel->GenreBox(), onSale->Genre);
    Choose(panel->PlatformBox(), platformIndex);
    const QString releasedLine = FromCp1252(FitColumn(onSale->Title.Str(), 24)) + " - " +
                                 QStringLiteral("%1/10").arg(ReviewRating(onSale->Quality));
    EXPECT_TRUE(panel->ReleasedText()->toPlainText().split('\n').contains(releasedLine))
        << panel->ReleasedText()->toPlainText().toStdString();

    QTest::mouseClick(panel->ReleasedHintButton(), Qt::LeftButton);
    EXPECT_TRUE(Modals().Saw(FromCoreText(ReleasedListHint)));

    // A finished game waiting for its week: the chooser is there and the panel cannot be closed.
    Game().State.Development.ReleaseMode = true;
    Game().Views.Calendar.Offset = 0;
    ShowCalendar(Game(), Game().Views.Calendar, week + 1);
    Window->ShowPanel("Release Calendar");
    EXPECT_TRUE(panel->ChooserArea()->isVisible());
    ASSERT_EQ(panel->ChooserBox()->count(), 6);
    EXPECT_EQ(panel->ChooserBox()->itemText(0), QStringLiteral("week %1").arg(week + 1));
    EXPECT_EQ(panel->ChooserYearLabel()->text(), QStringLiteral(", %1").arg(year));
    EXPECT_EQ(panel->ChooseButton()->text(), "Choose");
    EXPECT_FALSE(panel->XButton()->isVisible());
    EXPECT_FALSE(panel->CloseLink()->isVisible());
    EXPECT_TRUE(titlesStartAt(week + 1));
}

TEST_F(MarketPanelsTest, FutureReleasesCountsTheYearAndOpensTheCalendar) {
    Open("Future Releases");
    auto* panel = PanelOf<TFutureReleasesPanel>("Future Releases");
    ASSERT_NE(panel, nullptr);
    const TFutureReleasesView& view = Game().Views.FutureReleases;
    auto shownMatchesModel = [&] {
        EXPECT_EQ(panel->TotalLabel()->text(), QString::number(view.Total));
        int sum = 0;
        for (int g = 0; g < GenreCount; ++g) {
            EXPECT_EQ(panel->GenreNameLabel(g)->text(), QString::fromLatin1(Genres[g].Name));
            EXPECT_EQ(panel->GenreCountLabel(g)->text(), QString::number(view.GenreCounts[g]));
            sum += view.GenreCounts[g];
        }
        EXPECT_EQ(sum, view.Total);
        QString text;
        for (const TFeedRun& run : view.Text)
            text += FromCoreText(run.Text);
        EXPECT_EQ(panel->ReleasesView()->toPlainText(), text);
    };
    EXPECT_EQ(panel->PlatformBox()->count(), 1 + PlatformCount);
    EXPECT_EQ(panel->PlatformBox()->currentText(), "All Platforms");
    ASSERT_GT(view.Total, 0);
    shownMatchesModel();
    const int allPlatforms = view.Total;

    // One platform's share, the C64's.
    Choose(panel->PlatformBox(), 2);
    EXPECT_EQ(view.PlatformFilter.Selected, 2);
    EXPECT_LT(view.Total, allPlatforms);
    shownMatchesModel();
    const QStringList lines = panel->ReleasesView()->toPlainText().split('\n', Qt::SkipEmptyParts);
    for (const QString& line : lines)
        if (!line.startsWith(" ")) {
            EXPECT_TRUE(line.contains("C64")) << line.toStdString();
        }

    // Next year's titles wait for the next rebuild.
    const QString before = panel->ReleasesView()->toPlainText();
    QTest::mouseClick(panel->NextYearBox(), Qt::LeftButton);
    EXPECT_TRUE(view.NextYear);
    EXPECT_EQ(panel->ReleasesView()->toPlainText(), before);
    EndWeek();
    EXPECT_TRUE(panel->NextYearBox()->isChecked());
    shownMatchesModel();

    // "View Release calendar" opens the calendar on the coming weeks.
    auto* calendar = PanelOf<TCalendarPanel>("Release Calendar");
    ASSERT_NE(calendar, nullptr);
    Game().Views.Calendar.Offset = 12;
    QTest::mouseClick(panel->CalendarButton(), Qt::LeftButton);
    EXPECT_TRUE(calendar->isVisible());
    EXPECT_EQ(Game().Views.Calendar.Offset, 0);
    EXPECT_EQ(calendar->ColumnTitle(0)->text(),
              WeekTitle(Game().State.Company.Week + 1, Game().State.Company.Year));
}

TEST_F(TGuiTest, EveryControlOfTheMarketPanelsHasAHint) {
    for (const char* link : {"Sales Charts", "Release Calendar", "Future Releases"}) {
        TContentPanel* panel = Window->Panel(link);
        ASSERT_NE(panel, nullptr);
        const QList<QWidget*> controls = panel->findChildren<QWidget*>();
        int checked = 0;
        for (QWidget* control : controls) {
            if (!qobject_cast<QAbstractButton*>(control) && !qobject_cast<QComboBox*>(control) &&
                !qobject_cast<QAbstractScrollArea*>(control))
                continue;
            // The inner parts of a combo box or a grid go with their owner.
            bool inner = false;
            for (QWidget* owner = control->parentWidget(); owner && owner != panel;
                 owner = owner->parentWidget())
                inner = inner || qobject_cast<QComboBox*>(owner) || qobject_cast<QAbstractItemView*>(owner);
            if (inner) continue;
            ++checked;
            EXPECT_FALSE(control->statusTip().trimmed().isEmpty())
                << link << ": " << control->metaObject()->className() << " "
                << control->objectName().toStdString();
        }
        EXPECT_GE(checked, 4) << link;
    }
}

} // namespace
