// The panels of the company: managers with the hire dialog, the hire-assistants box, the
// "Invest" panel with the rent dialog, the bank with its investor, and the side panel's
// genre lights and best platforms after a week.
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QRadioButton>
#include <QToolButton>
#include <QWheelEvent>

#include "GuiTestSupport.h"
#include "company/Managers.h"
#include "state/PlatformTables.h"
#include "ui/dialogs/HireDialog.h"
#include "ui/dialogs/RentDialog.h"
#include "ui/panels/BankPanel.h"
#include "ui/panels/DevelopmentPanel.h"
#include "ui/panels/ManagersPanel.h"
#include "ui/panels/OfficePanel.h"
#include "ui/widgets/BlinkLabel.h"
#include "ui/widgets/BuildingPicture.h"
#include "ui/widgets/Counter.h"
#include "ui/widgets/GenreLights.h"
#include "ui/window/SidePanel.h"
#include "ui/window/StatusArea.h"
#include "views/NumberText.h"

namespace {

class TPanelsTest : public TGuiTest {
protected:
    void SetUp() override {
        TGuiTest::SetUp();
        Start();
    }
    int Money() { return Game().State.Company.Money; }
    QString StatusMoney() { return Window->Status().MoneyLabel()->text(); }
};

struct TDialogTexts {
    QString Name, Rating, Wage, Share, Fee, Answer;
    bool HireEnabled = false;
};

std::function<void(QDialog&)> ReadHireDialog(TDialogTexts& texts, bool pressHire) {
    return OnDialog<THireDialog>([&texts, pressHire](THireDialog& dialog) {
        EXPECT_EQ(dialog.windowTitle(), "Hire");
        EXPECT_EQ(dialog.Question()->text(), "Do you want to Fire your current Leader and hire :");
        texts = {dialog.NameValue()->text(),      dialog.RatingValue()->text(), dialog.WageValue()->text(),
                 dialog.ShareValue()->text(),     dialog.FeeValue()->text(),    dialog.AnswerValue()->text(),
                 dialog.HireButton()->isEnabled()};
        EXPECT_EQ(dialog.KeepButton()->text(), "No, Keep current leader");
        QTest::mouseClick(pressHire ? dialog.HireButton() : dialog.KeepButton(), Qt::LeftButton);
    });
}

TEST_F(TPanelsTest, ManagersPanelDeclinedAndAcceptedOffers) {
    Open("Hire Managers");
    TManagersPanel& page = Window->ManagersPanel();
    ASSERT_TRUE(page.isVisible());
    EXPECT_EQ(page.Title(), "Managers");
    EXPECT_EQ(page.HireLabel()->text(), "Hire Lead Programmer :");
    QTest::mouseClick(page.GridButton(TManagerKind::ProjectLeader), Qt::LeftButton);
    EXPECT_EQ(page.HireLabel()->text(), "Hire Projects Leader:");
    QTableWidget* grid = page.ShownGrid();
    ASSERT_EQ(grid, page.Grid(TManagerKind::ProjectLeader));
    EXPECT_EQ(grid->horizontalHeaderItem(2)->text(), "% of Sales");
    EXPECT_EQ(grid->currentRow(), 0);

    // A new studio has 500000 or less beyond its loan: every candidate declines.
    const TManagerCandidate& third = Game().State.Candidates.Lists[1][2];
    const int before = Money();
    TDialogTexts texts;
    Then(ReadHireDialog(texts, true));
    ClickRow(grid, 2);
    EXPECT_EQ(LastDialog().Caption, "Hire");
    EXPECT_EQ(texts.Name, QString::fromStdString(third.Name));
    EXPECT_EQ(texts.Rating, QString::number(third.Rating));
    EXPECT_EQ(texts.Wage, QString::fromStdString(MoneyText(third.Wage)));
    EXPECT_EQ(texts.Share, QString::number(third.Share));
    EXPECT_EQ(texts.Fee, QString::fromStdString(MoneyText(third.Wage * 15)));
    EXPECT_EQ(texts.Answer, "\"Your Company seems Both frail and poor. So I must decline your offer\"");
    EXPECT_FALSE(texts.HireEnabled);
    EXPECT_EQ(Money(), before);
    EXPECT_EQ(Game().State.Company.ProjectLeader, 1);
    // The selection went back to the manager the studio has.
    EXPECT_EQ(grid->currentRow(), 0);
    EXPECT_TRUE(grid->item(0, 0)->isSelected());

    // A rich studio: he is happy to come for fifteen months' wages.
    Game().State.Company.Money = Game().State.Company.Loan + 50000000;
    const int rich = Money();
    Then(ReadHireDialog(texts, true));
    ClickRow(grid, 2);
    EXPECT_EQ(texts.Answer, "\"I would be happy to be a path of your company\"");
    EXPECT_TRUE(texts.HireEnabled);
    EXPECT_EQ(texts.Fee, QString::fromStdString(MoneyText(third.Wage * 15)));
    EXPECT_EQ(Money(), rich - third.Wage * 15);
    EXPECT_EQ(StatusMoney(), QString::fromStdString(MoneyText(Money())));
    EXPECT_EQ(Game().State.Company.ProjectLeader, 3);
    EXPECT_EQ(grid->currentRow(), 2);
    EXPECT_EQ(Window->Status().ManagerLabel(1)->text(),
              QString::fromStdString(third.Name) + " (" + QString::number(third.Wage) + "$)");

    // The hired row opens no dialog; turning down a candidate keeps the money.
    const size_t shown = Modals().Shown.size();
    ClickRow(grid, 2);
    EXPECT_EQ(Modals().Shown.size(), shown);
    Then(ReadHireDialog(texts, false));
    ClickRow(grid, 4);
    EXPECT_EQ(Money(), rich - third.Wage * 15);
    EXPECT_EQ(grid->currentRow(), 2);
}

TEST_F(TPanelsTest, AssistantCountersFollowSpaceAndTeamLimit) {
    Open("Development");
    TDevelopmentPanel& page = Window->DevelopmentPanel();
    EXPECT_EQ(page.WageLabel()->text(), "Monthly wage 2000$");
    EXPECT_FALSE(page.ProjectArea()->isEnabled());
    TCounter* programmers = page.AssistantCounter(0);
    const QString spaceBefore = page.SpaceLabel()->text();
    QTest::mouseClick(programmers->UpButton(), Qt::LeftButton);
    EXPECT_EQ(programmers->Field()->text(), "1");
    EXPECT_EQ(Game().State.Company.AssistProgrammers, 1);
    EXPECT_EQ(page.SpaceLabel()->text(), QString::number(spaceBefore.toInt() - 1));
    EXPECT_EQ(Window->Status().SpaceLabel()->text(), page.SpaceLabel()->text());

    // Past the project leader's team limit the counter stops and says why.
    Game().State.Company.TeamLimit = 0;
    QTest::mouseClick(programmers->UpButton(), Qt::LeftButton);
    EXPECT_EQ(programmers->Field()->text(), "1");
    EXPECT_EQ(page.ErrorLine()->text(),
              "To have bigger development teams, you need to hire a better rated Project Leader");
    QTest::mouseClick(programmers->DownButton(), Qt::LeftButton);
    EXPECT_EQ(programmers->Field()->text(), "0");
    EXPECT_TRUE(page.ErrorLine()->text().isEmpty());

    // Opening the managers panel brings the counters up to date as well.
    Game().State.Company.AssistMusicians = 3;
    Open("Hire Managers");
    EXPECT_EQ(page.AssistantCounter(1)->Field()->text(), "3");
}

TEST_F(TPanelsTest, InvestPanelMovesRentsAndAddsOffices) {
    Open("Office and Equipment");
    TOfficePanel& page = Window->OfficePanel();
    EXPECT_EQ(page.Title(), "Invest");
    const char* const items[] = {"Small    (Space for 15)   500.000$ ", "Medium   (Space for 25) 3.000.000$",
                                 "Large    (Space for 40) 4.500.000$", "Big      (Space for 50) 8.000.000$"};
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(page.BuildingButton(i)->text(), items[i]);
    EXPECT_TRUE(page.BuildingButton(0)->isChecked());
    EXPECT_EQ(page.ExtraOfficesText()->text(),
              "200.000$ each new office. \nSell for 150.000$. \nSpace for 2 more employees");
    // Equipment prices creep up week by week.
    const auto& c = Game().State.Company;
    EXPECT_EQ(page.PriceLabel(TEquipment::Graphics)->text(),
              "Monthly rent " + QString::number(13000 + c.GfxEquipExtra) + "$");
    EXPECT_EQ(page.PriceLabel(TEquipment::Tools)->text(),
              "Monthly rent " + QString::number(6000 + c.ToolsEquipExtra) + "$");

    // Not enough money for the Medium building, even with the Small one sold.
    const int before = Money();
    ASSERT_LT(before + 250000, 3000000);
    QTest::mouseClick(page.BuildingButton(1), Qt::LeftButton);
    EXPECT_EQ(LastDialog().Text, "Insufficient funds !");
    EXPECT_EQ(LastDialog().Caption, "Not enough money");
    EXPECT_TRUE(page.BuildingButton(0)->isChecked());
    EXPECT_EQ(page.Picture()->Building(), 0);
    EXPECT_EQ(Money(), before);

    // A move that costs money asks first, naming the price; nobody saying "Yes" keeps the
    // studio where it is.
    Game().State.Company.Money = 5000000;
    QTest::mouseClick(page.BuildingButton(1), Qt::LeftButton);
    EXPECT_EQ(LastDialog().Caption, "Move Headquarter");
    EXPECT_TRUE(LastDialog().Text.contains("2,750,000$")) << LastDialog().Text.toStdString();
    EXPECT_EQ(Game().State.Company.OfficeIndex, 0);
    EXPECT_EQ(Money(), 5000000);
    EXPECT_TRUE(page.BuildingButton(0)->isChecked());
    EXPECT_EQ(page.Picture()->Building(), 0);

    // Enter out of habit is "No".
    Then([](QDialog& dialog) { QTest::keyClick(&dialog, Qt::Key_Return); });
    QTest::mouseClick(page.BuildingButton(1), Qt::LeftButton);
    EXPECT_EQ(LastDialog().Caption, "Move Headquarter");
    EXPECT_EQ(Game().State.Company.OfficeIndex, 0);
    EXPECT_EQ(Money(), 5000000);

    Then([](QDialog& dialog) { dynamic_cast<QMessageBox&>(dialog).button(QMessageBox::Yes)->click(); });
    QTest::mouseClick(page.BuildingButton(1), Qt::LeftButton);
    EXPECT_EQ(LastDialog().Text, "You have moved to a new Headquarter. Your old Headquarter was also sold");
    EXPECT_EQ(LastDialog().Caption, "New Headquarter");
    EXPECT_EQ(Money(), 5000000 - 3000000 + 250000);
    EXPECT_EQ(page.MoneyLabel()->text(), "2,250,000$");
    EXPECT_EQ(StatusMoney(), "2,250,000$");
    EXPECT_EQ(Game().State.Company.OfficeIndex, 1);
    EXPECT_TRUE(page.BuildingButton(1)->isChecked());
    EXPECT_EQ(page.Picture()->Building(), 1);

    // An additional office costs 200000 and makes room for two.
    const int space = page.SpaceLabel()->text().toInt();
    QTest::mouseClick(page.ExtraOfficesCounter()->UpButton(), Qt::LeftButton);
    EXPECT_EQ(page.ExtraOfficesCounter()->Field()->text(), "1");
    EXPECT_EQ(Money(), 2250000 - 200000);

    // The wheel buys nothing over a counter without the keyboard focus; with it, one a notch.
    QLineEdit* extra = page.ExtraOfficesCounter()->Field();
    auto wheel = [extra](int notches) {
        QWheelEvent event(QPointF(5, 5), extra->mapToGlobal(QPointF(5, 5)), QPoint(),
                          QPoint(0, 120 * notches), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(extra, &event);
    };
    page.BuildingButton(1)->setFocus();
    ASSERT_FALSE(extra->hasFocus());
    wheel(1);
    EXPECT_EQ(Game().State.Company.ExtraOffices, 1);
    EXPECT_EQ(Money(), 2050000);
    QApplication::setActiveWindow(Window.get());
    extra->setFocus();
    ASSERT_TRUE(extra->hasFocus());
    wheel(1);
    EXPECT_EQ(Game().State.Company.ExtraOffices, 2);
    wheel(-1);
    EXPECT_EQ(Game().State.Company.ExtraOffices, 1);
    EXPECT_EQ(Money(), 2050000 - 200000 + 150000);
    Game().State.Company.Money = 2050000;
    EXPECT_EQ(page.SpaceLabel()->text().toInt(), space + 2);

    // Renting the sound studio is confirmed with "Yes."; "No." keeps the contract.
    QCheckBox* studio = page.FacilityBox(TFacility::SoundStudio);
    auto answer = [](bool yes) {
        return OnDialog<TRentDialog>([yes](TRentDialog& rent) {
            EXPECT_EQ(rent.windowTitle(), "Rent");
            QTest::mouseClick(yes ? rent.YesButton() : rent.NoButton(), Qt::LeftButton);
        });
    };
    Then(answer(true));
    QTest::mouseClick(studio, Qt::LeftButton);
    EXPECT_TRUE(LastDialog().Text.startsWith("Do you want to rent this office. ?\n \n"));
    EXPECT_TRUE(studio->isChecked());
    EXPECT_TRUE(Game().State.Company.SoundStudio);
    EXPECT_EQ(page.SpaceLabel()->text().toInt(), space + 4);
    Then(answer(false));
    QTest::mouseClick(studio, Qt::LeftButton);
    EXPECT_TRUE(LastDialog().Text.startsWith("Do you want to terminate the contract.  ?"));
    EXPECT_TRUE(studio->isChecked());
    EXPECT_EQ(Money(), 2050000);
}

TEST_F(TPanelsTest, BankBorrowsRepaysAndFindsAnInvestor) {
    Game().State.Company.Money = 2000000;
    Open("Bank And Investors");
    TBankPanel& page = Window->BankPanel();
    EXPECT_EQ(page.LoanLabel()->text(), "1,000,000$");
    EXPECT_EQ(page.RateLabel()->text(), "17%");
    EXPECT_EQ(page.CreditLabel()->text(), "2,000,000$");
    EXPECT_FALSE(page.InvestorArea()->isEnabled());

    QTest::mouseClick(page.Button("Borrow 50000"), Qt::LeftButton);
    EXPECT_EQ(Money(), 2050000);
    EXPECT_EQ(page.LoanLabel()->text(), "1,050,000$");
    EXPECT_EQ(page.RateLabel()->text(), "12%");
    EXPECT_EQ(page.CreditLabel()->text(), "1,950,000$");
    QTest::mouseClick(page.Button("Repay 250000"), Qt::LeftButton);
    EXPECT_EQ(Money(), 1800000);
    EXPECT_EQ(page.LoanLabel()->text(), "800,000$");
    EXPECT_EQ(page.RateLabel()->text(), "11%");
    EXPECT_EQ(StatusMoney(), "1,800,000$");

    // Nobody interested: the search waits for the bank's next turn.
    Game().SetRandom(std::make_unique<TScriptedRandom>(std::deque<int>{0}));
    QTest::mouseClick(page.Button("Find Investor"), Qt::LeftButton);
    EXPECT_EQ(LastDialog().Text, "No investor was interrested. Try again later.");
    EXPECT_EQ(LastDialog().Caption, "Investor");
    EXPECT_FALSE(page.Button("Find Investor")->isEnabled());

    // An offer turned down, then one accepted.
    Game().State.Investor.FindEnabled = true;
    Open("Bank And Investors");
    Game().SetRandom(std::make_unique<TScriptedRandom>(std::deque<int>{5, 123456, 2, 7, 1000, 4}));
    QTest::mouseClick(page.Button("Find Investor"), Qt::LeftButton);
    EXPECT_EQ(page.OfferAmountLabel()->text(), "1,123,456$");
    EXPECT_EQ(page.OfferShareLabel()->text(), "12");
    EXPECT_TRUE(page.InvestorArea()->isEnabled());
    EXPECT_FALSE(page.Button("Find Investor")->isEnabled());
    QTest::mouseClick(page.Button("Cancel"), Qt::LeftButton);
    EXPECT_FALSE(page.InvestorArea()->isEnabled());
    EXPECT_TRUE(page.Button("Find Investor")->isEnabled());
    EXPECT_EQ(Money(), 1800000);

    QTest::mouseClick(page.Button("Find Investor"), Qt::LeftButton);
    EXPECT_EQ(page.OfferAmountLabel()->text(), "1,001,000$");
    EXPECT_EQ(page.OfferShareLabel()->text(), "14");
    QTest::mouseClick(page.Button("OK"), Qt::LeftButton);
    EXPECT_EQ(Money(), 2801000);
    EXPECT_TRUE(Game().State.Company.HasInvestor);
    EXPECT_EQ(Game().State.Company.InvestorShare, 14);
    EXPECT_FALSE(page.Button("OK")->isEnabled());
    EXPECT_FALSE(page.Button("Find Investor")->isEnabled());
}

TEST_F(TPanelsTest, GenreLightsAndBestPlatformsFollowTheWeek) {
    Window->RunEndOfWeek();
    TSidePanel& side = Window->Side();
    const auto basic = [](TLightColor light) {
        switch (light) {
        case TLightColor::Red:
            return QColor(Qt::red);
        case TLightColor::Yellow:
            return QColor(Qt::yellow);
        case TLightColor::Green:
            return QColor(Qt::darkGreen);
        case TLightColor::Lime:
            break;
        }
        return QColor(Qt::green);
    };
    for (int g = 0; g < GenreCount; ++g) {
        SCOPED_TRACE(g);
        const TGenreLight& light = Game().Side.GenreLights[static_cast<size_t>(g)];
        EXPECT_EQ(side.Lights()->PopularityLight(g), basic(light.Large));
        EXPECT_EQ(side.Lights()->TrendLight(g), basic(light.Small));
    }

    for (int i = 0; i < TSidePanel::PlatformLabelCount; ++i) {
        SCOPED_TRACE(i);
        const QString text = side.PlatformLabel(i)->text();
        const QString position = QString::number(i + 1) + ".";
        ASSERT_TRUE(text.startsWith(position));
        const QString name = text.mid(position.size());
        EXPECT_TRUE(std::any_of(std::begin(Platforms), std::end(Platforms), [&](const TPlatformData& p) {
            return name == p.FullName;
        })) << name.toStdString();
        EXPECT_EQ(text, QString::fromStdString(Game().Side.BestPlatforms[static_cast<size_t>(i)]));
    }

    // The "?" explains the lights.
    QTest::mouseClick(side.LightsHelpButton(), Qt::LeftButton);
    EXPECT_EQ(LastDialog().Text, TSidePanel::LightsHint());
    EXPECT_TRUE(LastDialog().Text.startsWith(
        "The leds :\nThe Biggest Led closest to the Genre name shows How well the Genre is selling"));
    EXPECT_EQ(side.LightsHelpButton()->statusTip(), TSidePanel::LightsHint());
}

} // namespace
