// The main window as a player handles it: panels piled on one another, the News panel left
// open over the weeks, the name boxes that refuse what the game cannot keep, the keyboard
// (Escape, focus, typed counter values), the help window near the screen's edges and the
// window's smallest size.
#include <QComboBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QScreen>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextEdit>

#include <cstdlib>

#include "GuiTestSupport.h"
#include "company/Space.h"
#include "ui/dialogs/HelpWindow.h"
#include "ui/panels/ContentPanel.h"
#include "ui/panels/DevelopmentPanel.h"
#include "ui/panels/NewsPanel.h"
#include "ui/panels/SalesChartPanel.h"
#include "ui/widgets/Counter.h"
#include "ui/widgets/Cp1252.h"
#include "ui/window/SidePanel.h"
#include "ui/window/StatusArea.h"

namespace {

// One key as the keyboard sends it, with the text it types (QTest's own typing cannot send
// characters outside Latin-1).
void Press(QWidget* widget, int key, const QString& text = QString()) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(widget, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QApplication::sendEvent(widget, &release);
}

void Type(QWidget* widget, const QString& text) {
    for (const QChar c : text)
        Press(widget, Qt::Key_unknown, QString(c));
}

void PressEscape(TMainWindow& window) {
    // The offscreen platform hands activation to every window shown (the help window too).
    QApplication::setActiveWindow(&window);
    // As the keyboard does: the window's shortcuts see the key first.
    QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : &window;
    QTest::keyClick(target, Qt::Key_Escape);
}

class TWindowTest : public TGuiTest {
protected:
    void SetUp() override {
        TGuiTest::SetUp();
        Window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(Window.get()));
    }
    TContentPanel* Panel(const char* link) { return Window->Panel(QString::fromLatin1(link)); }
    // The start screen took the keyboard for a while; the keys go to the window again.
    void Activate() {
        QApplication::setActiveWindow(Window.get());
        Window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(Window.get()));
    }
};

TEST_F(TWindowTest, OnlyThePanelInFrontIsShownAndClosingItUncoversTheOneBeneath) {
    Start();
    Open("Hire Managers");
    Open("Office and Equipment");
    EXPECT_EQ(VisiblePanels(*Window), QList<TContentPanel*>{Panel("Office and Equipment")});
    Open("Bank And Investors");
    EXPECT_EQ(VisiblePanels(*Window), QList<TContentPanel*>{Panel("Bank And Investors")});

    // Opening a panel that is already in the pile brings it forward without a copy.
    Open("Hire Managers");
    EXPECT_EQ(VisiblePanels(*Window), QList<TContentPanel*>{Panel("Hire Managers")});

    // Closing uncovers the panels in the order they were last in front, each filling the area.
    QTest::mouseClick(Panel("Hire Managers")->XButton(), Qt::LeftButton);
    EXPECT_EQ(VisiblePanels(*Window), QList<TContentPanel*>{Panel("Bank And Investors")});
    EXPECT_EQ(Panel("Bank And Investors")->geometry(), Panel("Bank And Investors")->parentWidget()->rect());
    QTest::mouseClick(Panel("Bank And Investors")->CloseLink(), Qt::LeftButton);
    EXPECT_EQ(VisiblePanels(*Window), QList<TContentPanel*>{Panel("Office and Equipment")});
    QTest::mouseClick(Panel("Office and Equipment")->XButton(), Qt::LeftButton);
    EXPECT_TRUE(VisiblePanels(*Window).isEmpty());

    // A panel opened from inside another one covers it too; the week's closing of the options
    // panel takes it off the pile even while it is covered.
    Open("Market Info");
    Open("Game Options");
    Window->ShowPanel("Player");
    EXPECT_EQ(VisiblePanels(*Window), QList<TContentPanel*>{Panel("Player")});
    Window->ClosePanel("Game Options");
    QTest::mouseClick(Panel("Player")->XButton(), Qt::LeftButton);
    EXPECT_EQ(VisiblePanels(*Window), QList<TContentPanel*>{Panel("Market Info")});
}

TEST_F(TWindowTest, AnUncoveredPanelShowsWhatHappenedWhileItWasCovered) {
    Start();
    Open("News");
    auto* news = dynamic_cast<TNewsPanel*>(Panel("News"));
    ASSERT_NE(news, nullptr);
    Open("Financial Info");
    Window->RunEndOfWeek();
    Window->RunEndOfWeek();
    QTest::mouseClick(Panel("Financial Info")->XButton(), Qt::LeftButton);
    ASSERT_TRUE(news->isVisible());
    EXPECT_EQ(news->Text(), FromCoreText(Game().Feed.PlainText()));
}

TEST_F(TWindowTest, TheNewsPanelLeftOpenFollowsEveryWeek) {
    Start();
    Open("News");
    auto* news = dynamic_cast<TNewsPanel*>(Panel("News"));
    ASSERT_NE(news, nullptr);
    QStringList seen{news->Text()};
    for (int week = 0; week < 3; ++week) {
        Window->RunEndOfWeek();
        ASSERT_TRUE(news->isVisible());
        EXPECT_EQ(news->Text(), FromCoreText(Game().Feed.PlainText()));
        seen.append(news->Text());
    }
    seen.removeDuplicates();
    // The weeks' news differ, so the panel did change with them.
    EXPECT_GT(seen.size(), 1);
}

TEST_F(TWindowTest, EscapeClosesThePanelInFrontButNotTheCalendarThatMustBeAnswered) {
    Start();
    Activate();
    Open("Hire Managers");
    Open("Sales Charts");
    QSignalSpy sounds(Window.get(), &TMainWindow::SoundRequested);
    PressEscape(*Window);
    EXPECT_EQ(VisiblePanels(*Window), QList<TContentPanel*>{Panel("Hire Managers")});
    ASSERT_EQ(sounds.count(), 1);
    EXPECT_EQ(sounds.last().at(0).toInt(), 3);
    PressEscape(*Window);
    EXPECT_TRUE(VisiblePanels(*Window).isEmpty());
    PressEscape(*Window);
    EXPECT_EQ(sounds.count(), 2);

    // While a release week is chosen the calendar has no close controls, and Escape leaves it.
    Window->ShowPanel("Release Calendar");
    TContentPanel* calendar = Panel("Release Calendar");
    calendar->XButton()->hide();
    PressEscape(*Window);
    EXPECT_TRUE(calendar->isVisible());
}

TEST_F(TWindowTest, EscapeClosesAnOpenDropDownListFirstAndThePanelOnTheNextOne) {
    Start();
    Activate();
    Open("Development");
    TDevelopmentPanel& page = Window->DevelopmentPanel();
    QTest::mouseClick(page.StartNewButton(), Qt::LeftButton);
    QComboBox* genre = page.GenreBox();
    ASSERT_TRUE(genre->isEnabled());
    genre->setFocus();
    genre->showPopup();
    QWidget* list = QApplication::activePopupWidget();
    ASSERT_NE(list, nullptr);
    const int chosen = genre->currentIndex();
    // The key goes where the keyboard sends it while a list is open: to the list.
    QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : list;
    QTest::keyClick(target, Qt::Key_Escape);
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
    EXPECT_FALSE(list->isVisible());
    EXPECT_EQ(genre->currentIndex(), chosen);
    EXPECT_TRUE(Panel("Development")->isVisible());
    PressEscape(*Window);
    EXPECT_FALSE(Panel("Development")->isVisible());
}

TEST_F(TWindowTest, EscapeInACounterDropsTheTypedNumberOnly) {
    Start();
    Activate();
    Open("Development");
    TCounter* programmers = Window->DevelopmentPanel().AssistantCounter(0);
    QLineEdit* field = programmers->Field();
    field->setFocus();
    field->selectAll();
    Type(field, "7");
    EXPECT_EQ(field->text(), "7");
    PressEscape(*Window);
    EXPECT_EQ(field->text(), "0");
    EXPECT_TRUE(Panel("Development")->isVisible());
    PressEscape(*Window);
    EXPECT_FALSE(Panel("Development")->isVisible());
}

TEST_F(TWindowTest, ATypedCounterValueGoesThroughTheGameWithinItsLimits) {
    Start();
    Activate();
    Open("Development");
    TCounter* programmers = Window->DevelopmentPanel().AssistantCounter(0);
    QLineEdit* field = programmers->Field();
    const auto typeAndEnter = [field](const QString& text) {
        field->setFocus();
        field->selectAll();
        Type(field, text);
        QTest::keyClick(field, Qt::Key_Return);
    };
    const int room = FreeSpace(Game());
    ASSERT_GT(room, 2);
    typeAndEnter("2");
    EXPECT_EQ(Game().State.Company.AssistProgrammers, 2);
    EXPECT_EQ(field->text(), "2");
    EXPECT_EQ(FreeSpace(Game()), room - 2);

    // Letters are not typed at all; more than the office holds stops where the arrows would.
    typeAndEnter("x");
    EXPECT_EQ(field->text(), "2");
    Game().State.Company.TeamLimit = 100;
    typeAndEnter("100");
    EXPECT_EQ(Game().State.Company.AssistProgrammers, room);
    EXPECT_EQ(field->text(), QString::number(room));
    EXPECT_EQ(FreeSpace(Game()), 0);
    // The field holds no more digits than the largest value has.
    typeAndEnter("1234");
    EXPECT_EQ(Game().State.Company.AssistProgrammers, 100 < room ? 100 : room);

    typeAndEnter("0");
    EXPECT_EQ(Game().State.Company.AssistProgrammers, 0);
    EXPECT_EQ(field->text(), "0");
}

struct TNameCase {
    const char* Name;
    QString Typed;
    QString Kept;
    QString Why; // part of the line under the box; empty when every character is kept
};

const TNameCase NameCases[] = {
    {"western letters stay", QString::fromUtf8("Zoë Ærøsoft € ü"), QString::fromUtf8("Zoë Ærøsoft € ü"), ""},
    {"semicolon", QString::fromUtf8("Bits; Bytes"), QString::fromUtf8("Bits Bytes"), "cannot contain \";\""},
    // The line names the character just refused.
    {"other scripts", QString::fromUtf8("Łukasz Ωmega Дима"), QString::fromUtf8("ukasz mega "),
     QString::fromUtf8(
         "cannot contain \"а\" (U+0430): only Western European letters and signs can be kept.")},
};

// Types every case into the box; the line under it (among `where`'s error lines) says why,
// naming the box as `what`.
void ExpectNameCases(QLineEdit* box, const QWidget& where, const QString& what) {
    for (const TNameCase& c : NameCases) {
        SCOPED_TRACE(c.Name);
        box->clear();
        box->setFocus();
        Type(box, c.Typed);
        EXPECT_EQ(box->text(), c.Kept);
        bool told = false;
        for (QLabel* line : where.findChildren<QLabel*>(QStringLiteral("ErrorLine")))
            if (line->isVisible() && line->text().startsWith(what) && line->text().contains(c.Why))
                told = true;
        EXPECT_EQ(told, !c.Why.isEmpty());
    }
}

TEST_F(TWindowTest, NameBoxesRefuseWhatTheGameCannotKeepAndKeepTheRest) {
    Start([&](QDialog& dialog) {
        auto& screen = dynamic_cast<TStartScreenDialog&>(dialog);
        ExpectNameCases(screen.PlayerNameEdit(), screen, "Player Name");
        ExpectNameCases(screen.CompanyNameEdit(), screen, "Company Name");
        // What is kept starts the game as typed.
        screen.PlayerNameEdit()->clear();
        Type(screen.PlayerNameEdit(), QString::fromUtf8("Zoë"));
        screen.CompanyNameEdit()->clear();
        Type(screen.CompanyNameEdit(), QString::fromUtf8("Ærøsoft €"));
        QTest::mouseClick(screen.StartButton(), Qt::LeftButton);
    });
    EXPECT_EQ(FromCp1252(Game().State.Company.CompanyName.Str()), QString::fromUtf8("Ærøsoft €"));
    EXPECT_EQ(FromCp1252(Game().State.Company.PlayerName.Str()), QString::fromUtf8("Zoë"));
}

TEST_F(TWindowTest, TheGameNameBoxRefusesWhatTheGameCannotKeep) {
    Start();
    Open("Development");
    TDevelopmentPanel& page = Window->DevelopmentPanel();
    QTest::mouseClick(page.StartNewButton(), Qt::LeftButton);
    QLineEdit* box = page.NameBox();
    ASSERT_TRUE(box->isEnabled());
    ExpectNameCases(box, page, "A game name");
    // The refusal of ";" speaks as the game's own check does.
    box->clear();
    Type(box, ";");
    bool sameWords = false;
    for (QLabel* line : page.findChildren<QLabel*>(QStringLiteral("ErrorLine")))
        if (line->isVisible() && line->text() == "A game name cannot contain \";\" or control characters. "
                                                 "Choose another name")
            sameWords = true;
    EXPECT_TRUE(sameWords);
}

TEST_F(TWindowTest, ARunningProjectShowsItsNameHoweverItWasStarted) {
    Start();
    Window->Perform(TStartNewProject{});
    Window->Perform(TStartProject{.GameName = "Copper Harbour"});
    ASSERT_EQ(Game().State.Development.Stage, TProjectStage::InProgress);
    Open("Development");
    EXPECT_EQ(Window->DevelopmentPanel().NameBox()->text(), "Copper Harbour");
}

TEST_F(TWindowTest, TheFocusedControlIsFramed) {
    Start();
    Activate();
    Open("Development");
    TDevelopmentPanel& page = Window->DevelopmentPanel();
    for (QWidget* control : {static_cast<QWidget*>(Window->Link("Bank And Investors")),
                             static_cast<QWidget*>(page.StartNewButton()),
                             static_cast<QWidget*>(Panel("Development")->XButton())}) {
        SCOPED_TRACE(control->metaObject()->className());
        Window->Link("End Of Week")->setFocus();
        ASSERT_FALSE(control->hasFocus());
        const QImage plain = control->grab().toImage();
        control->setFocus(Qt::TabFocusReason);
        ASSERT_TRUE(control->hasFocus());
        EXPECT_NE(control->grab().toImage(), plain);
    }
}

TEST_F(TWindowTest, TheHelpWindowShowsItsWholeTextAndStaysOnTheScreen) {
    THelpWindow& help = Window->HelpWindow();
    const QString longHint =
        "Publiser negotiation :\n \nObjective : This is the goal that your company have to archive within "
        "the first year of the deal.\nIf you agree on top 50 then one of your games has to reach  position "
        "50 or\nbetter on the sales chart. \nNOTE : If you do not reach this goal the publisher will "
        "collect the signing fee a second time.";
    for (const QString& hint : {QString("Close this panel"), longHint}) {
        help.SetHint(hint);
        help.show();
        QLabel* text = help.TextLabel();
        EXPECT_GE(text->height(), text->heightForWidth(text->width())) << hint.toStdString();
        EXPECT_TRUE(help.rect().contains(text->geometry()));
    }
    const QRect screen(0, 0, 1024, 768);
    for (const QPoint mouse : {QPoint(2, 300), QPoint(1020, 300), QPoint(500, 2), QPoint(500, 766),
                               QPoint(2, 766), QPoint(1020, 2)}) {
        const QRect placed(help.PositionFor(mouse, screen), help.size());
        EXPECT_TRUE(screen.contains(placed)) << mouse.x() << "," << mouse.y();
    }
    // A second screen to the right: the window stays on the screen the mouse is on.
    const QRect right(1024, 0, 800, 600);
    EXPECT_TRUE(right.contains(QRect(help.PositionFor(QPoint(1030, 10), right), help.size())));
    help.hide();
}

// Sibling widgets of a layout that overlap, or stick out of their parent.
QStringList Collisions(QWidget* parent) {
    QStringList found;
    QList<QWidget*> shown;
    for (QWidget* child : parent->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
        if (child->isVisible() && !child->isWindow()) shown.append(child);
    const auto name = [](QWidget* w) {
        QString text = w->metaObject()->className();
        if (auto* label = qobject_cast<QLabel*>(w)) text += " '" + label->text() + "'";
        if (auto* button = qobject_cast<QAbstractButton*>(w)) text += " '" + button->text() + "'";
        return text;
    };
    for (int i = 0; i < shown.size(); ++i) {
        if (!parent->rect().contains(shown[i]->geometry()))
            found.append(name(shown[i]) + " sticks out of " + name(parent));
        for (int j = i + 1; j < shown.size(); ++j)
            if (shown[i]->geometry().intersects(shown[j]->geometry()))
                found.append(name(shown[i]) + " overlaps " + name(shown[j]));
    }
    for (QWidget* child : shown)
        if (child->layout()) found += Collisions(child);
    return found;
}

TEST_F(TWindowTest, TheWindowOpensInTheMiddleOfTheScreen) {
    const QRect free = Window->screen()->availableGeometry();
    const QRect placed = Window->geometry();
    EXPECT_GE(placed.width(), Window->minimumWidth());
    EXPECT_GE(placed.height(), Window->minimumHeight());
    // Centred where it fits; where it does not, its top left corner is in view.
    if (placed.width() <= free.width())
        EXPECT_LE(std::abs(placed.center().x() - free.center().x()), 1);
    else
        EXPECT_GE(Window->frameGeometry().left(), free.left());
    if (placed.height() <= free.height())
        EXPECT_LE(std::abs(placed.center().y() - free.center().y()), 1);
    else
        EXPECT_GE(Window->frameGeometry().top(), free.top());
}

TEST_F(TWindowTest, AtItsSmallestSizeNothingInTheWindowOverlaps) {
    Start();
    Window->resize(Window->minimumSize());
    QApplication::processEvents();
    EXPECT_EQ(Window->size(), Window->minimumSize());
    QStringList problems;
    for (QWidget* part : {static_cast<QWidget*>(&Window->Status()), static_cast<QWidget*>(&Window->Side()),
                          Window->Link("End Of Week")->parentWidget()})
        problems += Collisions(part);
    // Every panel fits the content area at this size.
    for (const QString& link : Window->PanelLinks()) {
        Window->ShowPanel(link);
        QApplication::processEvents();
        TContentPanel* panel = Window->Panel(link);
        EXPECT_GE(panel->width(), panel->minimumSizeHint().width()) << link.toStdString();
        EXPECT_GE(panel->height(), panel->minimumSizeHint().height()) << link.toStdString();
        Window->ClosePanel(link);
    }
    EXPECT_TRUE(problems.isEmpty()) << problems.join("\n").toStdString();
    // The layout asks for no more than the window gives.
    EXPECT_TRUE(Window->centralWidget()->size().expandedTo(Window->centralWidget()->minimumSizeHint()) ==
                Window->centralWidget()->size());
}

TEST_F(TWindowTest, TheSalesChartNeedsNoSidewaysScrolling) {
    Start();
    Window->resize(Window->minimumSize());
    Open("Sales Charts");
    QApplication::processEvents();
    auto* chart = Panel("Sales Charts")->findChild<QTextEdit*>(QStringLiteral("ChartText"));
    ASSERT_NE(chart, nullptr);
    EXPECT_FALSE(chart->horizontalScrollBar()->isVisible());
    // Every row's printed part, the weekly chart's and the all-time one's, fits the box.
    auto* panel = dynamic_cast<TSalesChartPanel*>(Panel("Sales Charts"));
    ASSERT_NE(panel, nullptr);
    for (bool allTime : {false, true}) {
        SCOPED_TRACE(allTime ? "all time" : "weekly");
        if (allTime) QTest::mouseClick(panel->AllTimeButton(), Qt::LeftButton);
        QApplication::processEvents();
        const qreal room = chart->viewport()->width() - 2 * chart->document()->documentMargin();
        int checked = 0;
        for (QTextBlock block = chart->document()->begin(); block.isValid(); block = block.next()) {
            QTextCursor cursor(block);
            cursor.movePosition(QTextCursor::NextCharacter);
            const QString printed = block.text().trimmed();
            if (printed.isEmpty()) continue;
            EXPECT_LE(QFontMetricsF(cursor.charFormat().font()).horizontalAdvance(printed), room)
                << printed.toStdString();
            ++checked;
        }
        EXPECT_GT(checked, 0);
        EXPECT_LE(panel->HeaderLine()->width(), chart->viewport()->width());
    }
    // With room to spare the chart is printed in its full size again.
    const int smallest = panel->PrintSize();
    Window->resize(1600, 1000);
    QApplication::processEvents();
    EXPECT_GE(panel->PrintSize(), smallest);
    EXPECT_EQ(panel->PrintSize(), 9);
}

} // namespace
