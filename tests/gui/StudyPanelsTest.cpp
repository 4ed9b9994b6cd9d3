// The studio's growth as the player meets it: the Study And Tools panel, the knowledge lists
// of Company Details, a preview from "Preview Game" to the "Preview Feedback" panel, and a port
// set up through the porting dialog. With QUILLON_DIALOG_SHOTS naming a folder the tests leave
// pictures of the panels there.
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QTableWidget>
#include <QTextEdit>
#include <QToolButton>

#include "GuiTestSupport.h"
#include "company/Space.h"
#include "ui/dialogs/PortDialog.h"
#include "ui/panels/DevelopmentPanel.h"
#include "ui/panels/CompanyDetailsPanel.h"
#include "ui/panels/CompanyDetailsPanel.h"
#include "ui/panels/FinancePanel.h"
#include "ui/panels/MarketInfoPanel.h"
#include "ui/panels/MarketInfoPanel.h"
#include "ui/panels/KnowledgeSection.h"
#include "ui/panels/PreviewPanel.h"
#include "ui/panels/StudyPanel.h"
#include "ui/widgets/Counter.h"
#include "ui/widgets/NewsFeedView.h"
#include "ui/window/SidePanel.h"

namespace {

class StudyPanelsTest : public TGuiTest {
protected:
    void SetUp() override {
        TGuiTest::SetUp();
        Start();
        Game().State.Company.Money = 5000000;
    }

    void EndWeek() { QTest::mouseClick(Window->Link("End Of Week"), Qt::LeftButton); }
    void Picture(const QString& name) {
        if (const QString shots = qEnvironmentVariable("QUILLON_DIALOG_SHOTS"); !shots.isEmpty())
            Window->grab().save(shots + "/" + name + ".png");
    }
    TStudyPanel& StudyPage() { return *dynamic_cast<TStudyPanel*>(Window->Panel("Study And Tools")); }
    QListWidgetItem* Item(QListWidget* list, const QString& text) {
        const auto found = list->findItems(text, Qt::MatchExactly);
        return found.isEmpty() ? nullptr : found.front();
    }
    void ClickItem(QListWidget* list, QListWidgetItem* item) {
        ASSERT_NE(item, nullptr);
        list->scrollToItem(item);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(item).center());
    }
    // A game the studio has released, as if it had been made in an earlier year.
    void Released(const std::string& title, int platform, int releaseScore) {
        TGameEntry e = BlankRecord<TGameEntry>();
        e.Title = title;
        e.Developer = "Byte Works";
        e.Platform = static_cast<uint8_t>(platform);
        e.Genre = 2;
        e.ReleaseScore = releaseScore;
        e.Quality = releaseScore;
        e.ReleaseWeek = 3;
        e.ReleaseYear = 1984;
        e.Income = 250000;
        e.ByPlayer = true;
        Game().State.ReleasedGames.Append(e);
    }
};

TEST_F(StudyPanelsTest, StudyAndToolsFromTheMenu) {
    auto& c = Game().State.Company;
    c.ToolProgress[1] = 1000;
    Open("Study And Tools");
    TStudyPanel& page = StudyPage();
    ASSERT_TRUE(page.isVisible());
    EXPECT_EQ(page.PlatformLabel(TStudyActivity::Study)->text(), "C64");
    EXPECT_EQ(page.AbilityLabel()->text(), QString::number(c.PlatformKnowledge[1]) + "%");
    EXPECT_EQ(page.ToolProgressLabel()->text(), "Tool finished");
    EXPECT_EQ(page.ToolCurrentLabel()->text(), "Level 5");
    EXPECT_EQ(page.EfficiencyLabel(TStudyActivity::Porting)->text(), "0%");
    EXPECT_EQ(Window->Side().StudyLabel()->text(), "C64");

    // "Choose Platform" shows the list; a platform chosen hides it again.
    EXPECT_FALSE(page.PlatformList(TStudyActivity::Tools)->isVisible());
    QTest::mouseClick(page.ChooseLink(TStudyActivity::Tools), Qt::LeftButton);
    QListWidget* list = page.PlatformList(TStudyActivity::Tools);
    ASSERT_TRUE(list->isVisible());
    if (const QString shots = qEnvironmentVariable("QUILLON_DIALOG_SHOTS"); !shots.isEmpty())
        list->grab().save(shots + "/study-platform-list.png");
    // A platform can be prepared for a year before it comes out.
    EXPECT_NE(Item(list, "Amiga"), nullptr);
    EXPECT_EQ(Item(list, "Windows"), nullptr);
    ClickItem(list, Item(list, "Dos"));
    EXPECT_FALSE(list->isVisible());
    EXPECT_EQ(c.ToolPlatform, 3);
    EXPECT_EQ(page.PlatformLabel(TStudyActivity::Tools)->text(), "Dos");
    EXPECT_EQ(page.ToolProgressLabel()->text(), "0% (developing level 1)");
    EXPECT_EQ(page.ToolCurrentLabel()->text(), "(Level 0)");

    QTest::mouseClick(page.ChooseLink(TStudyActivity::Study), Qt::LeftButton);
    ClickItem(page.PlatformList(TStudyActivity::Study),
              Item(page.PlatformList(TStudyActivity::Study), "NES"));
    EXPECT_EQ(c.StudyPlatform, 12);
    EXPECT_EQ(Window->Side().StudyLabel()->text(), "NES");

    // The counters: up while the office has room, down always.
    TCounter* tools = page.StaffCounter(TStudyActivity::Tools);
    const int free = FreeSpace(Game());
    for (int i = 0; i < free; ++i)
        QTest::mouseClick(tools->UpButton(), Qt::LeftButton);
    EXPECT_EQ(c.ToolStaff, free);
    EXPECT_EQ(tools->Field()->text(), QString::number(free));
    EXPECT_EQ(FreeSpace(Game()), 0);
    TCounter* study = page.StaffCounter(TStudyActivity::Study);
    QTest::mouseClick(study->UpButton(), Qt::LeftButton);
    EXPECT_EQ(c.StudyStaff, 0);
    EXPECT_EQ(study->Field()->text(), "0");
    QTest::mouseClick(tools->DownButton(), Qt::LeftButton);
    QTest::mouseClick(study->UpButton(), Qt::LeftButton);
    EXPECT_EQ(c.StudyStaff, 1);
    EXPECT_EQ(Game().State.Employees, 3 + free);

    // The "?" beside platform independence explains it in the help box.
    EXPECT_FALSE(page.HelpBox()->isVisible());
    QTest::mouseClick(page.PortingHelpButton(), Qt::LeftButton);
    EXPECT_TRUE(page.HelpBox()->isVisible());
    EXPECT_TRUE(
        page.HelpText()->text().contains("Choose the companys best games for porting for the best result."));
    Picture("study-and-tools");

    // Opened again, the displays are written afresh.
    Open("Study And Tools");
    EXPECT_EQ(page.ToolCurrentLabel()->text(), "Level 0");
    EndWeek();
    EXPECT_GE(c.ToolProgress[3], 0);
}

TEST_F(StudyPanelsTest, CompanyDetailsListTheStudiosKnowledge) {
    auto& c = Game().State.Company;
    c.ToolProgress[3] = 999;
    c.GenreKnowledge[0] = 12;
    Open("Company Details");
    auto* panel = dynamic_cast<TCompanyDetailsPanel*>(Window->Panel("Company Details"));
    ASSERT_NE(panel, nullptr);
    ASSERT_TRUE(panel->isVisible());
    panel->Sections()->setCurrentWidget(panel->Knowledge());
    QListWidget* toolsList = panel->Knowledge()->List(ToolsList);
    ASSERT_EQ(toolsList->count(), 7);
    EXPECT_EQ(toolsList->item(2)->text(), "Dos              99%");
    EXPECT_EQ(panel->Knowledge()->List(GenreKnowledgeList)->count(), 7);
    EXPECT_EQ(panel->Knowledge()->List(GenreKnowledgeList)->item(0)->text(), "Action           12%");
    Picture("company-knowledge");
}

TEST_F(StudyPanelsTest, APreviewFromTheDevelopmentPanel) {
    Open("Development");
    TDevelopmentPanel& page = Window->DevelopmentPanel();
    EXPECT_FALSE(page.PreviewButton()->isEnabled());
    QTest::mouseClick(page.StartNewButton(), Qt::LeftButton);
    QTest::mouseClick(page.PreviewButton(), Qt::LeftButton);
    EXPECT_TRUE(Modals().Saw("You are not deveolping a game right now"));
    page.NameBox()->setText("Lighthouse Keeper");
    QTest::mouseClick(page.StartProjectButton(), Qt::LeftButton);
    ASSERT_LE(Game().State.Projects[1].WeeksLeft, 30);
    QTest::mouseClick(page.PreviewButton(), Qt::LeftButton);
    EXPECT_TRUE(Modals().Saw("Your send your game to a magazine for preview. Click \"Latest Preview\" next "
                             "week to see your score"));
    EndWeek();
    EXPECT_TRUE(Window->Side().Feed()->toPlainText().contains("Preview of Lighthouse Keeper"));

    QTest::mouseClick(page.LatestPreviewButton(), Qt::LeftButton);
    auto* preview = dynamic_cast<TPreviewPanel*>(Window->Panel("Preview Feedback"));
    ASSERT_NE(preview, nullptr);
    ASSERT_TRUE(preview->isVisible());
    EXPECT_TRUE(preview->Text()->toPlainText().startsWith("Preview of Lighthouse Keeper"));
    EXPECT_TRUE(preview->Text()->toPlainText().contains("The Game was recived by us in the start of week"));
    const TPreviewReport& report = Game().State.Preview;
    const int scores[4] = {report.Sound, report.Graphics, report.Gameplay, report.Overall};
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(preview->ScoreBar(i)->value(), std::clamp(scores[i], 0, 100)) << i;
    Picture("preview-feedback");
    QTest::mouseClick(preview->CloseLink(), Qt::LeftButton);
    EXPECT_FALSE(preview->isVisible());
}

TEST_F(StudyPanelsTest, APortThroughTheDialog) {
    Released("Harbour Lights", 1, 70);
    Open("Development");
    TDevelopmentPanel& page = Window->DevelopmentPanel();
    EXPECT_FALSE(page.PortLink()->isEnabled());
    QTest::mouseClick(page.StartNewButton(), Qt::LeftButton);
    ASSERT_TRUE(page.PortLink()->isEnabled());

    // "Cancel" changes nothing.
    Then(OnDialog<TPortDialog>(
        [](TPortDialog& dialog) { QTest::mouseClick(dialog.CancelButton(), Qt::LeftButton); }));
    QTest::mouseClick(page.PortLink(), Qt::LeftButton);
    EXPECT_FALSE(Game().State.Projects[1].IsPort);
    EXPECT_TRUE(page.NameBox()->isEnabled());

    bool checked = false;
    Then(OnDialog<TPortDialog>([&checked](TPortDialog& dialog) {
        ASSERT_EQ(dialog.Games()->rowCount(), 1);
        EXPECT_EQ(dialog.Games()->item(0, 0)->text(), "Harbour Lights");
        EXPECT_EQ(dialog.Games()->item(0, 1)->text(), "C64");
        EXPECT_EQ(dialog.Games()->item(0, 2)->text(), "3/1984");
        EXPECT_EQ(dialog.PlatformBox()->currentIndex(), -1);
        EXPECT_FALSE(dialog.ChooseButton()->isEnabled());
        // The game's own platform is refused at once.
        QComboBox* box = dialog.PlatformBox();
        const int c64 = box->findText("C64");
        box->setCurrentIndex(c64);
        emit box->activated(c64);
        EXPECT_EQ(box->currentIndex(), -1);
        EXPECT_FALSE(dialog.ChooseButton()->isEnabled());
        const int dos = box->findText("Dos");
        box->setCurrentIndex(dos);
        emit box->activated(dos);
        EXPECT_TRUE(dialog.ChooseButton()->isEnabled());
        if (const QString shots = qEnvironmentVariable("QUILLON_DIALOG_SHOTS"); !shots.isEmpty())
            dialog.grab().save(shots + "/port-dialog.png");
        QTest::mouseClick(dialog.ChooseButton(), Qt::LeftButton);
        checked = true;
    }));
    QTest::mouseClick(page.PortLink(), Qt::LeftButton);
    ASSERT_TRUE(checked);
    const TProject& project = Game().State.Projects[1];
    EXPECT_TRUE(project.IsPort);
    EXPECT_EQ(project.FinalCopy, 71);
    EXPECT_EQ(page.NameBox()->text(), "Harbour Lights");
    EXPECT_FALSE(page.NameBox()->isEnabled());
    EXPECT_FALSE(page.PlatformBox()->isEnabled());
    EXPECT_EQ(page.PlatformBox()->currentText(), "Dos");
    EXPECT_EQ(page.GenreBox()->currentIndex(), 2);
    EXPECT_FALSE(page.TechnologyBox()->isVisible());
    EXPECT_TRUE(page.CancelButton()->isEnabled());
    Picture("development-port");

    QTest::mouseClick(page.StartProjectButton(), Qt::LeftButton);
    EXPECT_EQ(Game().State.Development.Stage, TProjectStage::InProgress);
    EXPECT_EQ(Game().State.Development.SideLink, "Game:Harbour Lights");
    EXPECT_FALSE(page.TechnologyBox()->isVisible());
}

} // namespace
