// From program start to the first playable week: the start screen, its refusal of empty
// names, the welcome dialog, and quitting before a game.
#include <QLabel>
#include <QSlider>

#include "ui/LinkButton.h"
#include <algorithm>

#include "GuiTestSupport.h"
#include "ui/StatusArea.h"
#include "ui/WelcomeDialog.h"

namespace {

TEST_F(TGuiTest, WindowCaptionAndStartUpTimer) {
    EXPECT_EQ(Window->windowTitle(), "Quillon - The Bright Years");
    EXPECT_TRUE(Window->StartupTimer().isActive());
    EXPECT_EQ(Window->StartupTimer().interval(), 500);
}

TEST_F(TGuiTest, EmptyNamesAreRefusedThenTheGameStarts) {
    bool refusedWhileOpen = false;
    Start([&](QDialog& dialog) {
        auto& screen = dynamic_cast<TStartScreenDialog&>(dialog);
        screen.PlayerNameEdit()->setText("   ");
        screen.CompanyNameEdit()->setText("Byte Works");
        QTest::mouseClick(screen.StartButton(), Qt::LeftButton);
        // The refusal came as a message box, and the start screen is still there.
        refusedWhileOpen = screen.isVisible();
        TypeNamesAndStart("Ada", "Byte Works")(dialog);
    });

    EXPECT_TRUE(refusedWhileOpen);
    const auto refusal =
        std::find_if(Modals().Shown.begin(), Modals().Shown.end(), [](const TShownDialog& d) {
            return d.Text == "Player Name and Company Name cannot be empty";
        });
    ASSERT_NE(refusal, Modals().Shown.end());
    EXPECT_EQ(refusal->Caption, "Error");

    EXPECT_FALSE(Game().Flags.StartPending);
    EXPECT_EQ(Game().State.Company.CompanyName.Str(), "Byte Works");
    // The world's first week has been played.
    EXPECT_EQ(Window->Status().WeekLabel()->text(), "Week 2, 1984");
    EXPECT_TRUE(Window->HelpTimer().isActive());
    EXPECT_FALSE(Window->ProgramEnded());
}

TEST_F(TGuiTest, WelcomeDialogIsShownOnceAfterANewGame) {
    Start();
    const QString welcome = TWelcomeDialog::Text();
    EXPECT_TRUE(welcome.startsWith("Congratulations,\n \nThe year is 1984"));
    EXPECT_TRUE(welcome.contains("You have Obtained a  publisher deal."));
    EXPECT_EQ(Modals().CountOf(welcome), 1);

    // The start-up timer's later ticks find nothing to start, and weeks greet nobody.
    Window->StartupTick();
    Window->RunEndOfWeek();
    EXPECT_EQ(Modals().CountOf(welcome), 1);
}

TEST_F(TGuiTest, QuitOnTheStartScreenEndsTheProgram) {
    Start([](QDialog& dialog) {
        QTest::mouseClick(dynamic_cast<TStartScreenDialog&>(dialog).QuitLink(), Qt::LeftButton);
    });
    EXPECT_TRUE(Game().Flags.QuitChosen);
    EXPECT_TRUE(Window->ProgramEnded());
    EXPECT_FALSE(Window->isVisible());
    EXPECT_EQ(Modals().CountOf(TWelcomeDialog::Text()), 0);
    EXPECT_EQ(Game().State.Company.Year, 0);
}

TEST_F(TGuiTest, DifficultySliderSetsItsLabelAndTheGame) {
    Start([](QDialog& dialog) {
        auto& screen = dynamic_cast<TStartScreenDialog&>(dialog);
        EXPECT_EQ(screen.DifficultyLabel()->text(), "level of difficulty : 2");
        screen.DifficultySlider()->setValue(3);
        EXPECT_EQ(screen.DifficultyLabel()->text(), "level of difficulty : 3");
        TypeNamesAndStart("Ada", "Byte Works")(dialog);
    });
    EXPECT_EQ(Game().State.Company.Difficulty, 3);
}

} // namespace
