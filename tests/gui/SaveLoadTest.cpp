// "Save game && end turn" on the options panel, and "Load Saved Game" on the start screen of a
// later run: the saved week comes back without a welcome; a damaged save is refused with a
// message and the start screen comes back.
#include <QLabel>

#include "GuiTestSupport.h"
#include "ui/dialogs/WelcomeDialog.h"
#include "ui/dialogs/WorkingWindow.h"
#include "ui/window/StatusArea.h"

namespace {

// Clicks "Load Saved Game" with a company name typed that the save will replace.
std::function<void(QDialog&)> TypeOtherNameAndLoad() {
    return [](QDialog& dialog) {
        auto& screen = dynamic_cast<TStartScreenDialog&>(dialog);
        if (screen.PlayerNameEdit()->text().isEmpty()) screen.PlayerNameEdit()->setText("Ada");
        screen.CompanyNameEdit()->setText("Typed Over");
        QTest::mouseClick(screen.LoadLink(), Qt::LeftButton);
    };
}

const TShownDialog* FindCaption(const std::vector<TShownDialog>& shown, const QString& caption) {
    for (const TShownDialog& dialog : shown)
        if (dialog.Caption == caption) return &dialog;
    return nullptr;
}

TEST_F(TGuiTest, AGameSavedAtTheEndOfAWeekIsLoadedInALaterRun) {
    Start();
    Window->RunEndOfWeek();
    ASSERT_EQ(Game().State.Company.Week, 3);
    Game().State.Company.AssistProgrammers = 2;
    Open("Game Options");
    QTest::mouseClick(Window->Link("Save game && end turn"), Qt::LeftButton);
    EXPECT_EQ(Window->Status().WeekLabel()->text(), "Week 4, 1984");
    EXPECT_EQ(Window->ProgressWindow().Text(), "Saving Game");
    EXPECT_EQ(Window->ProgressWindow().Percent(), 100);
    EXPECT_FALSE(Window->ProgressWindow().isVisible());
    ASSERT_TRUE(QFile::exists(TestFolder() + "QlSave/sav.sav"));
    EXPECT_EQ(QDir(TestFolder() + "QlSave").entryList(QDir::Files), QStringList{"sav.sav"});

    // The program ends and starts again.
    Window.reset();
    const std::string folder = TestFolder().toStdString();
    Window = std::make_unique<TMainWindow>(77u, TFolders{folder, folder});
    Window->Modals().AutoClose = true;
    Window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(Window.get()));
    Start(TypeOtherNameAndLoad());

    EXPECT_EQ(Modals().CountOf(TWelcomeDialog::Text()), 0);
    EXPECT_EQ(Window->ProgressWindow().Text(), "Loading game...");
    const auto& c = Game().State.Company;
    EXPECT_EQ(c.CompanyName.Str(), "Byte Works");
    EXPECT_EQ(Game().Views.StartScreen.CompanyName, "Byte Works");
    EXPECT_EQ(c.AssistProgrammers, 0);
    // The saved week 3 was played again.
    EXPECT_EQ(Window->Status().WeekLabel()->text(), "Week 4, 1984");
    EXPECT_TRUE(Game().Flags.LoadRequested);
    EXPECT_TRUE(Window->HelpTimer().isActive());
    EXPECT_FALSE(Window->ProgramEnded());
}

TEST_F(TGuiTest, ADamagedSaveIsRefusedAndTheStartScreenComesBack) {
    QDir().mkpath(TestFolder() + "QlSave");
    {
        QFile save(TestFolder() + "QlSave/sav.sav");
        ASSERT_TRUE(save.open(QIODevice::WriteOnly));
        save.write("QARC but not a saved game");
    }
    Start(TypeOtherNameAndLoad());
    const TShownDialog* refusal = FindCaption(Modals().Shown, "Load Saved Game");
    ASSERT_NE(refusal, nullptr);
    EXPECT_TRUE(refusal->Text.startsWith("The saved game could not be loaded.\n"))
        << refusal->Text.toStdString();
    EXPECT_FALSE(Game().Flags.LoadRequested);
    EXPECT_TRUE(Game().Flags.StartPending);
    EXPECT_EQ(Game().State.Company.Week, 1) << "no world was built";
    EXPECT_FALSE(Window->ProgramEnded());

    // The next tick shows the start screen, and a new game can begin.
    Start();
    EXPECT_EQ(Modals().CountOf(TWelcomeDialog::Text()), 1);
    EXPECT_EQ(Window->Status().WeekLabel()->text(), "Week 2, 1984");
}

} // namespace
