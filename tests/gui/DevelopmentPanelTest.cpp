// A game made from start to finish on the Development panel: "Start New Project", the setup,
// "Start project", the weeks until it is ready, "Release Game ", the week chooser of the
// release calendar and the "Game Released" message in the week of release.
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>

#include "GuiTestSupport.h"
#include "ui/panels/CalendarPanel.h"
#include "ui/panels/DevelopmentPanel.h"
#include "ui/widgets/BlinkLabel.h"
#include "ui/window/SidePanel.h"

namespace {

void Choose(QComboBox* box, int index) {
    ASSERT_GE(index, 0);
    ASSERT_LT(index, box->count());
    box->setCurrentIndex(index);
    emit box->activated(index);
}

class DevelopmentPanelTest : public TGuiTest {
protected:
    void SetUp() override {
        TGuiTest::SetUp();
        Start();
    }
    void EndWeek() { QTest::mouseClick(Window->Link("End Of Week"), Qt::LeftButton); }
};

TEST_F(DevelopmentPanelTest, AGameFromItsSetUpToItsRelease) {
    Open("Development");
    TDevelopmentPanel& page = Window->DevelopmentPanel();
    EXPECT_TRUE(page.StartNewButton()->isEnabled());
    EXPECT_FALSE(page.StartProjectButton()->isEnabled());
    EXPECT_FALSE(page.ProjectArea()->isEnabled());
    EXPECT_EQ(page.StatusCaption()->text(), "Not started..");

    QTest::mouseClick(page.StartNewButton(), Qt::LeftButton);
    EXPECT_EQ(page.NameBox()->text(), "New Game");
    EXPECT_EQ(page.StatusCaption()->text(), "initial stage..");
    EXPECT_TRUE(page.StartProjectButton()->isEnabled());
    EXPECT_FALSE(page.StartNewButton()->isEnabled());
    EXPECT_EQ(page.TechnologyBox()->currentText(), "Up-to-date");
    EXPECT_EQ(page.AdvertisingBox()->currentText(), "No Advertising");
    // "New Game" itself is no name.
    QTest::mouseClick(page.StartProjectButton(), Qt::LeftButton);
    EXPECT_TRUE(Modals().Saw("GameName not valid. Choose another name"));

    // The choices: the platform list carries each platform's index.
    Choose(page.GenreBox(), 2);
    EXPECT_EQ(Game().State.Development.Genre, 2);
    Choose(page.PlatformBox(), page.PlatformBox()->count() - 1);
    EXPECT_EQ(Game().State.Development.Platform, page.PlatformBox()->currentData().toInt());
    const QString weeksBefore = page.TimeBox()->text();
    // "Make a Demo": more work. Clicked on its box: a wide column leaves empty room to the
    // right of the text, where a click does nothing.
    QTest::mouseClick(page.OptionBox(1), Qt::LeftButton, {}, QPoint(8, page.OptionBox(1)->height() / 2));
    EXPECT_TRUE(Game().State.Development.Demo);
    EXPECT_GT(page.TimeBox()->text().toInt(), weeksBefore.toInt());
    page.NameBox()->setText("Lighthouse Keeper");
    QTest::mouseClick(page.StartProjectButton(), Qt::LeftButton);
    EXPECT_EQ(page.StatusCaption()->text(), "In Progress..");
    EXPECT_TRUE(page.CancelButton()->isEnabled());
    EXPECT_FALSE(page.GenreBox()->isEnabled());
    EXPECT_TRUE(page.BusyAnimation()->isVisible());
    EXPECT_EQ(Game().State.Development.SideLink, "Game:Lighthouse Keeper");

    // All its work done: the next week finds the game ready.
    TProject& project = Game().State.Projects[1];
    project.EngineDone = project.SoundDone = project.GraphicsDone = 100000;
    EndWeek();
    ASSERT_TRUE(project.Ready);
    Open("Development");
    EXPECT_EQ(page.StatusCaption()->text(), "Ready for release!!");
    EXPECT_TRUE(Modals().Saw("Lighthouse Keeper ready for release!"));
    ASSERT_TRUE(page.ReleaseButton()->isEnabled());

    // "Release Game ": the calendar in release mode, and nothing else to go to.
    Game().State.Company.AssistProgrammers = 2;
    QTest::mouseClick(page.ReleaseButton(), Qt::LeftButton);
    auto* calendar = dynamic_cast<TCalendarPanel*>(Window->Panel("Release Calendar"));
    ASSERT_NE(calendar, nullptr);
    EXPECT_TRUE(calendar->isVisible());
    EXPECT_TRUE(calendar->ChooserArea()->isVisible());
    EXPECT_FALSE(calendar->XButton()->isVisible());
    EXPECT_FALSE(Window->Side().isVisible());
    EXPECT_EQ(Game().State.Company.AssistProgrammers, 0);
    const int week = Game().State.Company.Week;
    ASSERT_EQ(calendar->ChooserBox()->count(), 6);
    EXPECT_EQ(calendar->ChooserBox()->itemText(0), QStringLiteral("week %1").arg(week + 1));
    Choose(calendar->ChooserBox(), 1);
    QTest::mouseClick(calendar->ChooseButton(), Qt::LeftButton);
    EXPECT_FALSE(calendar->isVisible());
    EXPECT_TRUE(Window->Side().isVisible());
    EXPECT_FALSE(Game().State.Development.ReleaseMode);
    Open("Development");
    EXPECT_EQ(page.StatusCaption()->text(), "Released");
    EXPECT_TRUE(page.StartNewButton()->isEnabled());

    // In the chosen week the game goes on sale and its rating is shown.
    const auto releasedMessages = [this] {
        int count = 0;
        for (const TShownDialog& shown : Modals().Shown)
            count += shown.Caption == "Game Released" &&
                     shown.Text.startsWith("Lighthouse KeeperReleased this week");
        return count;
    };
    EndWeek();
    EXPECT_EQ(releasedMessages(), 0);
    EndWeek();
    EXPECT_EQ(Game().State.Company.Week, week + 2);
    EXPECT_EQ(releasedMessages(), 1);
}

} // namespace
