// The main window during play: menu links and their panels, End Of Week, the options panel,
// the status area's blinking and the help window.
#include <QCheckBox>
#include <QLabel>
#include <QMessageBox>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTableWidget>

#include "GuiTestSupport.h"
#include "company/Office.h"
#include "company/Space.h"
#include "ui/dialogs/HelpWindow.h"
#include "ui/panels/ContentPanel.h"
#include "ui/panels/NewsPanel.h"
#include "ui/widgets/BlinkLabel.h"
#include "ui/widgets/LinkButton.h"
#include "ui/widgets/NewsFeedView.h"
#include "ui/widgets/Starfield.h"
#include "ui/window/SidePanel.h"
#include "ui/window/StatusArea.h"
#include "views/NumberText.h"

namespace {

TEST_F(TGuiTest, EveryMenuLinkOpensItsPanelAndBothCloseButtonsHideIt) {
    const struct {
        const char* Link;
        const char* Title;
    } links[] = {
        {"Office and Equipment", "Invest"},
        {"Bank And Investors", "Bank And Investors"},
        {"Financial Info", "Financial Info"},
        {"Hire Managers", "Managers"},
        {"Development", "Development"},
        {"Sales Charts", "Sales Charts"},
        {"Future Releases", "Future Releases"},
        {"News", "News"},
        {"Market Info", "Market Info"},
        {"Player", "Player"},
        {"Company Details", "Company Details"},
        {"Study And Tools", "Study And Tools"},
        {"Game Options", "Options"},
        {"Publishers Deal", "Publishers Deal"},
        {"Release Calendar", "Release Calendar"},
    };
    QSignalSpy sounds(Window.get(), &TMainWindow::SoundRequested);
    for (const auto& entry : links) {
        SCOPED_TRACE(entry.Link);
        for (bool useX : {true, false}) {
            TLinkButton* link = Window->Link(QString::fromLatin1(entry.Link));
            ASSERT_NE(link, nullptr);
            QTest::mouseClick(link, Qt::LeftButton);
            const auto shown = VisiblePanels(*Window);
            ASSERT_EQ(shown.size(), 1);
            TContentPanel* panel = shown.front();
            EXPECT_EQ(panel->Title(), QString::fromLatin1(entry.Title));
            // It fills the content area.
            EXPECT_EQ(panel->geometry(), panel->parentWidget()->rect());
            QTest::mouseClick(useX ? static_cast<QWidget*>(panel->XButton()) : panel->CloseLink(),
                              Qt::LeftButton);
            EXPECT_FALSE(panel->isVisible());
        }
    }
    // Opening plays sound 0 (2 for Game Options), closing sound 3.
    EXPECT_EQ(sounds.count(), 4 * static_cast<int>(std::size(links)));
    EXPECT_EQ(sounds.last().at(0).toInt(), 3);

    QTest::mouseClick(Window->Link("Next song"), Qt::LeftButton);
    EXPECT_TRUE(VisiblePanels(*Window).isEmpty());
}

TEST_F(TGuiTest, EndOfWeekAdvancesTheWeekByLinkAndByKey) {
    Start();
    QLabel* week = Window->Status().WeekLabel();
    EXPECT_EQ(week->text(), "Week 2, 1984");

    QTest::mouseClick(Window->Link("End Of Week"), Qt::LeftButton);
    EXPECT_EQ(week->text(), "Week 3, 1984");
    EXPECT_TRUE(Window->StatusTimer().isActive());

    QApplication::setActiveWindow(Window.get());
    QTest::keyClick(Window.get(), Qt::Key_F5);
    EXPECT_EQ(week->text(), "Week 4, 1984");
    // The offscreen platform hands activation to every window shown, the working window too.
    QApplication::setActiveWindow(Window.get());
    QTest::keySequence(Window.get(), QKeySequence("Ctrl+E"));
    EXPECT_EQ(week->text(), "Week 5, 1984");

    // The week's news reached the feed and, through the "News" link, the news panel.
    EXPECT_TRUE(Window->Side().Feed()->toPlainText().contains("NEWS @ Week 5, 1984"));
    QTest::mouseClick(Window->Link("News"), Qt::LeftButton);
    auto* news = dynamic_cast<TNewsPanel*>(Window->Panel("News"));
    ASSERT_NE(news, nullptr);
    EXPECT_TRUE(news->Text().contains("NEWS @ Week 5, 1984"));
}

TEST_F(TGuiTest, ADoubleClickOnEndOfWeekPlaysOneWeek) {
    Start();
    QLabel* week = Window->Status().WeekLabel();
    ASSERT_EQ(week->text(), "Week 2, 1984");
    TLinkButton* link = Window->Link("End Of Week");
    // As the mouse makes it: press, release, press, double click, release.
    QTest::mousePress(link, Qt::LeftButton);
    QTest::mouseRelease(link, Qt::LeftButton);
    QTest::mousePress(link, Qt::LeftButton);
    const QPoint centre = link->rect().center();
    QMouseEvent twice(QEvent::MouseButtonDblClick, centre, link->mapToGlobal(centre), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(link, &twice);
    QTest::mouseRelease(link, Qt::LeftButton);
    EXPECT_EQ(week->text(), "Week 3, 1984");

    EXPECT_FALSE(link->isDown());

    // The next single click plays its week again.
    QTest::mouseClick(link, Qt::LeftButton);
    EXPECT_EQ(week->text(), "Week 4, 1984");
}

TEST_F(TGuiTest, APressWhileAWeekRunsIsDropped) {
    Start();
    TLinkButton* link = Window->Link("End Of Week");
    const auto weeks = [this] { return (Game().State.Company.Year - 1984) * 52 + Game().State.Company.Week; };
    // The first window a week brings up gets a click on "End Of Week" while the week runs.
    bool pressed = false;
    Then([&](QDialog&) {
        QTest::mouseClick(link, Qt::LeftButton);
        pressed = true;
    });
    for (int played = 0; !pressed && played < 60; ++played) {
        const int before = weeks();
        QTest::mouseClick(link, Qt::LeftButton);
        ASSERT_EQ(weeks(), before + 1) << "after " << played << " weeks";
    }
    ASSERT_TRUE(pressed) << "no week brought a window up";
}

TEST_F(TGuiTest, QuitGameShowsTheScoreSheetAndEndsTheProgram) {
    Start();
    Window->Status().ShowHelpBox()->setChecked(false);
    QTest::mouseClick(Window->Link("Game Options"), Qt::LeftButton);
    QTest::mouseClick(Window->Link("Quit Game"), Qt::LeftButton);

    // The start screen shows the score panel.
    TStartScreenDialog& screen = Window->StartScreen();
    EXPECT_TRUE(screen.ShowsScore());
    const QString score = screen.ScoreText();
    EXPECT_FALSE(score.isEmpty());
    EXPECT_TRUE(Modals().Saw("GAME IS OVER\nYour score : " + score));
    EXPECT_EQ(LastDialog().Caption, "Quillon - The Bright Years");
    EXPECT_TRUE(screen.UploadButton()->isEnabled());
    EXPECT_TRUE(screen.ScoreNote()->text().startsWith("REMEBER : A games score  can only be uploaded\nonce"));
    QTableWidget* grid = screen.ScoreGrid();
    EXPECT_EQ(grid->item(0, 0)->text(), "Player Name");
    EXPECT_EQ(grid->item(0, 1)->text(), "Ada");
    EXPECT_EQ(grid->item(10, 0)->text(), "Score");
    EXPECT_EQ(grid->item(10, 1)->text(), score);
    EXPECT_TRUE(Window->ProgramEnded());
    EXPECT_FALSE(Window->isVisible());
    // Closing the score panel wrote the profile with the help choice made since the start.
    QFile profile(TestFolder() + "player.ini");
    ASSERT_TRUE(profile.open(QIODevice::ReadOnly));
    EXPECT_EQ(profile.readAll(), "Ada\r\nByte Works\r\n0\r\n");
}

TEST_F(TGuiTest, QuittingOrClosingAsksFirstWhenWeeksAreUnsaved) {
    auto answer = [](QMessageBox::StandardButton which) {
        return OnDialog<QMessageBox>([which](QMessageBox& box) { box.button(which)->click(); });
    };
    const QString question = "2 weeks have been played since the game was last saved, and will be lost.\n"
                             "Do you want to quit anyway?";
    Start();
    QTest::mouseClick(Window->Link("End Of Week"), Qt::LeftButton);
    QTest::mouseClick(Window->Link("End Of Week"), Qt::LeftButton);
    ASSERT_EQ(Game().WeeksSinceSave, 2);
    QTest::mouseClick(Window->Link("Game Options"), Qt::LeftButton);

    // "No" (or nobody answering) keeps the game going.
    const size_t shown = Modals().Shown.size();
    QTest::mouseClick(Window->Link("Quit Game"), Qt::LeftButton);
    ASSERT_EQ(Modals().Shown.size(), shown + 1);
    EXPECT_EQ(LastDialog().Caption, "Quit Game");
    EXPECT_EQ(LastDialog().Text, question);
    EXPECT_FALSE(Game().Flags.GameOver);
    EXPECT_FALSE(Window->ProgramEnded());
    Then(answer(QMessageBox::No));
    EXPECT_FALSE(Window->close());
    EXPECT_EQ(LastDialog().Text, question);
    EXPECT_TRUE(Window->isVisible());
    // Enter out of habit is "No".
    Then([](QDialog& dialog) { QTest::keyClick(&dialog, Qt::Key_Return); });
    QTest::mouseClick(Window->Link("Quit Game"), Qt::LeftButton);
    EXPECT_EQ(LastDialog().Text, question);
    EXPECT_FALSE(Game().Flags.GameOver);
    EXPECT_FALSE(Window->ProgramEnded());

    // A saved game asks nothing: the week after the save is the first unsaved one.
    QTest::mouseClick(Window->Link("Save game && end turn"), Qt::LeftButton);
    ASSERT_EQ(Game().WeeksSinceSave, 0);
    const size_t saved = Modals().Shown.size();
    QTest::mouseClick(Window->Link("End Of Week"), Qt::LeftButton);
    Then(answer(QMessageBox::Yes));
    EXPECT_TRUE(Window->close());
    EXPECT_TRUE(Modals().Saw("1 week has been played since the game was last saved, and will be lost.\n"
                             "Do you want to quit anyway?"));
    EXPECT_GT(Modals().Shown.size(), saved);
    EXPECT_FALSE(Window->isVisible());
}

TEST_F(TGuiTest, ClosingASavedGameAsksNothing) {
    Start();
    ASSERT_EQ(Game().WeeksSinceSave, 0);
    const size_t shown = Modals().Shown.size();
    EXPECT_TRUE(Window->close());
    EXPECT_EQ(Modals().Shown.size(), shown);
}

TEST_F(TGuiTest, OptionsPanelSwitchesTheStarfieldAndOpensThePlayer) {
    QTest::mouseClick(Window->Link("Game Options"), Qt::LeftButton);
    TStarfield& sky = Window->Starfield();
    ASSERT_TRUE(sky.IsRunning());
    ASSERT_FALSE(sky.HasWhiteSky());
    QTest::mouseClick(Window->Link("Starfield On/Off"), Qt::LeftButton);
    QTest::mouseClick(Window->Link("Starfield Black/White"), Qt::LeftButton);
    EXPECT_FALSE(sky.IsRunning());
    EXPECT_TRUE(sky.HasWhiteSky());

    ASSERT_NE(Window->Link("Save game && end turn"), nullptr);
    QTest::mouseClick(Window->Link("Music And Sound"), Qt::LeftButton);
    EXPECT_TRUE(Window->Panel("Player")->isVisible());
}

TEST_F(TGuiTest, MoneyAndSpaceBlinkBelowTheirLimits) {
    Start();
    auto& company = Game().State.Company;
    const struct {
        int Money;
        int FreeSpace;
        bool MoneyBlinks;
        bool SpaceBlinks;
    } cases[] = {{49999, 2, true, false}, {50000, 1, false, true}, {2000000, 5, false, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Money);
        company.Money = c.Money;
        Game().State.Employees = OfficeSpace(Game()) - c.FreeSpace;
        Window->RefreshStatus();
        EXPECT_EQ(Window->Status().MoneyLabel()->text(), QString::fromStdString(MoneyText(c.Money)));
        EXPECT_EQ(Window->Status().MoneyLabel()->IsBlinking(), c.MoneyBlinks);
        EXPECT_EQ(Window->Status().SpaceLabel()->IsBlinking(), c.SpaceBlinks);
    }
}

TEST_F(TGuiTest, HelpWindowFollowsTheHintUnlessSwitchedOff) {
    Start();
    THelpWindow& help = Window->HelpWindow();
    TLinkButton* bank = Window->Link("Bank And Investors");
    // Hovering a link puts its hint in the status bar.
    QTest::mouseMove(bank, bank->rect().center());
    QTRY_COMPARE(Window->statusBar()->currentMessage(), bank->statusTip());
    Window->HelpTick();
    EXPECT_TRUE(help.isVisible());
    EXPECT_EQ(help.Hint(), bank->statusTip());
    EXPECT_EQ(help.windowTitle(), "Help Window");

    QCheckBox* showHelp = Window->Status().ShowHelpBox();
    showHelp->setChecked(false);
    EXPECT_FALSE(Game().Flags.ShowHelp);
    Window->HelpTick();
    EXPECT_FALSE(help.isVisible());
    Window->HelpTick();
    EXPECT_FALSE(help.isVisible());

    showHelp->setChecked(true);
    Window->statusBar()->showMessage("   ");
    Window->HelpTick();
    EXPECT_FALSE(help.isVisible());
}

TEST_F(TGuiTest, UntickingShowHelpIsRememberedAtTheNextStart) {
    Start();
    QCheckBox* showHelp = Window->Status().ShowHelpBox();
    ASSERT_TRUE(showHelp->isChecked());
    QTest::mouseClick(showHelp, Qt::LeftButton);
    ASSERT_FALSE(Game().Flags.ShowHelp);
    // The program ends without a score sheet: the window is closed.
    EXPECT_TRUE(Window->close());
    QFile profile(TestFolder() + "player.ini");
    ASSERT_TRUE(profile.open(QIODevice::ReadOnly));
    EXPECT_EQ(profile.readAll(), "Ada\r\nByte Works\r\n0\r\n");
    profile.close();

    const std::string folder = TestFolder().toStdString();
    Window = std::make_unique<TMainWindow>(20240607u, TFolders{folder, folder});
    Window->Modals().AutoClose = true;
    Start();
    EXPECT_FALSE(Game().Flags.ShowHelp);
    EXPECT_FALSE(Window->Status().ShowHelpBox()->isChecked());
}

TEST_F(TGuiTest, EveryLinkHasAHint) {
    for (TLinkButton* link : Window->findChildren<TLinkButton*>()) {
        SCOPED_TRACE(link->text().toStdString());
        EXPECT_FALSE(link->statusTip().trimmed().isEmpty());
    }
    EXPECT_TRUE(Window->Link("End Of Week")->toolTip().contains("F5"));
}

TEST_F(TGuiTest, SidePanelNarrowsAndWidensWithItsSounds) {
    QSignalSpy sounds(Window.get(), &TMainWindow::SoundRequested);
    TSidePanel& side = Window->Side();
    EXPECT_EQ(side.width(), TSidePanel::WideWidth);
    side.SetWide(false);
    side.SetWide(false);
    EXPECT_EQ(side.width(), TSidePanel::NarrowWidth);
    side.SetWide(true);
    EXPECT_EQ(side.width(), TSidePanel::WideWidth);
    ASSERT_EQ(sounds.count(), 2);
    EXPECT_EQ(sounds.at(0).at(0).toInt(), 5);
    EXPECT_EQ(sounds.at(1).at(0).toInt(), 4);
}

TEST_F(TGuiTest, ViewWorldNewsShowsTheNewsWindow) {
    Start();
    const size_t before = Modals().Shown.size();
    QTest::mouseClick(Window->Link("View World News"), Qt::LeftButton);
    ASSERT_EQ(Modals().Shown.size(), before + 1);
    EXPECT_EQ(Modals().Shown.back().Caption, "NEWS");
}

} // namespace
