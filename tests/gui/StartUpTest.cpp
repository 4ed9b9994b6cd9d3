// From program start to the first playable week: the start screen with its refusal of empty
// names, the game database and the player profile, the welcome dialog, loading without a
// save, and quitting before a game.
#include <QCheckBox>
#include <QLabel>
#include <QProgressBar>
#include <QSlider>
#include <QTableWidget>
#include <algorithm>

#include "GuiTestSupport.h"
#include "start/EmbeddedLists.h"
#include "ui/dialogs/WelcomeDialog.h"
#include "ui/dialogs/WorkingWindow.h"
#include "ui/panels/ManagersPanel.h"
#include "ui/widgets/LinkButton.h"
#include "ui/window/StatusArea.h"

namespace {

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

TEST_F(TGuiTest, WindowCaptionAndStartUpTimer) {
    EXPECT_EQ(Window->windowTitle(), "Quillon - The Bright Years");
    EXPECT_TRUE(Window->StartupTimer().isActive());
    EXPECT_EQ(Window->StartupTimer().interval(), 500);
}

TEST_F(TGuiTest, EmptyNamesAreRefusedThenARealGameStarts) {
    bool refusedWhileOpen = false;
    QString dataPack, version;
    Start([&](QDialog& dialog) {
        auto& screen = dynamic_cast<TStartScreenDialog&>(dialog);
        dataPack = screen.DataPackLabel()->text();
        version = screen.VersionLabel()->text();
        screen.PlayerNameEdit()->setText("   ");
        screen.CompanyNameEdit()->setText("Byte Works");
        QTest::mouseClick(screen.StartButton(), Qt::LeftButton);
        // The refusal came as a message box, and the start screen is still there.
        refusedWhileOpen = screen.isVisible() && !screen.Gauge()->isVisible();
        TypeNamesAndStart("Ada", "Byte Works")(dialog);
    });

    EXPECT_TRUE(refusedWhileOpen);
    EXPECT_EQ(dataPack, "DataPack : Y1994/W51");
    EXPECT_EQ(version, "Version " QUILLON_VERSION);
    const auto refusal =
        std::find_if(Modals().Shown.begin(), Modals().Shown.end(), [](const TShownDialog& d) {
            return d.Text == "Player Name and Company Name cannot be empty";
        });
    ASSERT_NE(refusal, Modals().Shown.end());
    EXPECT_EQ(refusal->Caption, "Error");
    EXPECT_EQ(Modals().CountOf(TWelcomeDialog::Text()), 1);

    // The database was read through the start screen's own gauge, not the progress window.
    EXPECT_EQ(Window->StartScreen().Gauge()->value(), 100);
    EXPECT_LT(Window->ProgressWindow().Percent(), 0) << "the progress window was used";
    EXPECT_EQ(ReadAll(TestFolder() + "player.ini"), "Ada\r\nByte Works\r\n-1\r\n");

    // The candidate grids are filled, and the first of each list is hired.
    Open("Hire Managers");
    const std::vector<std::string>* lists[3] = {&LeadProgrammerLines, &ProjectLeaderLines,
                                                &LeadDesignerLines};
    for (int k = 0; k < 3; ++k) {
        SCOPED_TRACE(k);
        const auto kind = static_cast<TManagerKind>(k);
        ASSERT_EQ(Game().State.Candidates.Lists[k].size(), lists[k]->size());
        const TManagerCandidate* hired = Game().State.Candidates.AtRow(kind, 1);
        ASSERT_NE(hired, nullptr);
        EXPECT_EQ(Window->Status().ManagerLabel(k)->text(),
                  QString::fromStdString(hired->Name) + " (" + QString::number(hired->Wage) + "$)");
        QTableWidget* grid = Window->ManagersPanel().Grid(kind);
        EXPECT_EQ(grid->rowCount(), static_cast<int>(lists[k]->size()));
        EXPECT_EQ(grid->item(0, 0)->text(), QString::fromStdString(hired->Name));
        EXPECT_TRUE(grid->item(0, 0)->isSelected());
    }

    EXPECT_EQ(Game().State.Company.CompanyName.Str(), "Byte Works");
    // The world's first week has been played.
    EXPECT_EQ(Window->Status().WeekLabel()->text(), "Week 2, 1984");
    EXPECT_TRUE(Window->HelpTimer().isActive());
    EXPECT_FALSE(Window->ProgramEnded());

    // Later ticks of the start-up timer start nothing, and weeks greet nobody.
    Window->StartupTick();
    Window->RunEndOfWeek();
    EXPECT_EQ(Modals().CountOf(TWelcomeDialog::Text()), 1);
}

TEST_F(TGuiTest, StartScreenOffersTheNamesOfTheProfile) {
    {
        QFile profile(TestFolder() + "player.ini");
        ASSERT_TRUE(profile.open(QIODevice::WriteOnly));
        profile.write("Grace\r\nHopper Soft\r\n0\r\n");
    }
    QString offered;
    Start([&](QDialog& dialog) {
        auto& screen = dynamic_cast<TStartScreenDialog&>(dialog);
        offered = screen.PlayerNameEdit()->text() + "/" + screen.CompanyNameEdit()->text();
        QTest::mouseClick(screen.StartButton(), Qt::LeftButton);
    });
    EXPECT_EQ(offered, "Grace/Hopper Soft");
    EXPECT_EQ(Game().State.Company.PlayerName.Str(), "Grace");
    EXPECT_FALSE(Window->Status().ShowHelpBox()->isChecked());
    EXPECT_EQ(ReadAll(TestFolder() + "player.ini"), "Grace\r\nHopper Soft\r\n0\r\n");
}

TEST_F(TGuiTest, LoadWithoutASavedGameSaysSoAndStaysOnTheStartScreen) {
    bool stillOpen = false;
    Start([&](QDialog& dialog) {
        auto& screen = dynamic_cast<TStartScreenDialog&>(dialog);
        QTest::mouseClick(screen.LoadLink(), Qt::LeftButton);
        stillOpen = screen.isVisible();
        QTest::mouseClick(screen.QuitLink(), Qt::LeftButton);
    });
    EXPECT_TRUE(stillOpen);
    ASSERT_TRUE(Modals().Saw("No saved game exists"));
    const auto shown = std::find_if(Modals().Shown.begin(), Modals().Shown.end(),
                                    [](const TShownDialog& d) { return d.Text == "No saved game exists"; });
    EXPECT_EQ(shown->Caption, "No save game");
    EXPECT_FALSE(Game().Flags.LoadRequested);
    EXPECT_TRUE(Window->ProgramEnded());
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
    EXPECT_FALSE(QFile::exists(TestFolder() + "player.ini"));
}

TEST_F(TGuiTest, DifficultyAndMusicChoicesReachTheGame) {
    Start([](QDialog& dialog) {
        auto& screen = dynamic_cast<TStartScreenDialog&>(dialog);
        EXPECT_EQ(screen.DifficultyLabel()->text(), "level of difficulty : 2");
        screen.DifficultySlider()->setValue(3);
        EXPECT_EQ(screen.DifficultyLabel()->text(), "level of difficulty : 3");
        screen.NoMusicBox()->setChecked(true);
        // A link without its address says on the screen which setting is missing.
        screen.Online.ProgramFolder = screen.Online.DataFolder = TestFolder().toStdString();
        QFile::remove(TestFolder() + "online.cfg");
        QTest::mouseClick(screen.HighscoresLink(), Qt::LeftButton);
        EXPECT_EQ(screen.NoteLabel()->text(),
                  "Setting HighscorePage is missing in " + TestFolder() + "online.cfg");
        TypeNamesAndStart("Ada", "Byte Works")(dialog);
    });
    EXPECT_EQ(Game().State.Company.Difficulty, 3);
    EXPECT_TRUE(Game().Flags.MusicOff);
}

} // namespace
