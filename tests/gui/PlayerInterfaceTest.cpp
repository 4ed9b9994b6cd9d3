// The game's text and messages as the player sees them: the Windows-1252 boundary, message
// boxes and questions, and the news feed's styles and scrolling.
#include <QMessageBox>
#include <QScrollBar>
#include <QTextBlock>

#include "GuiTestSupport.h"
#include "ui/widgets/Cp1252.h"
#include "ui/widgets/NewsFeedView.h"
#include "ui/window/SidePanel.h"

namespace {

TEST(Cp1252Test, ConvertsBothWaysAndMarksTheUnencodable) {
    const struct {
        std::string Bytes;
        QString Text;
    } pairs[] = {
        {"Plain text", QStringLiteral("Plain text")},
        {"\x80 \x85 \x8A \x99 \x9F", QStringLiteral("\u20AC \u2026 \u0160 \u2122 \u0178")},
        {"Caf\xE9 \xA9\xFF", QStringLiteral("Caf\u00E9 \u00A9\u00FF")},
        // Bytes Windows-1252 leaves unassigned survive a round trip.
        {"\x81\x8D\x8F\x90\x9D", QStringLiteral("\u0081\u008D\u008F\u0090\u009D")},
    };
    for (const auto& p : pairs) {
        SCOPED_TRACE(p.Bytes);
        EXPECT_EQ(FromCp1252(p.Bytes), p.Text);
        EXPECT_EQ(ToCp1252(p.Text), p.Bytes);
        EXPECT_TRUE(WithoutCp1252Form(p.Text).isEmpty());
    }
    // The characters that would become '?': each once, in order; a real '?' is not one of them.
    EXPECT_EQ(WithoutCp1252Form(QStringLiteral("?ŁaΩŁ 😀€")), QStringLiteral("ŁΩ😀"));
    // One '?' per character, also for one outside the basic plane.
    EXPECT_EQ(ToCp1252(QStringLiteral("\u6F22 \U0001F600 \u0100")), "? ? ?");
    EXPECT_EQ(FromCoreText("one\r\ntwo\rthree"), "one\ntwo\nthree");
}

TEST_F(TGuiTest, MessagesAndQuestionsKeepTheirTextsAndAnswers) {
    TPlayerInterface& ui = Game().Ui;
    ui.ShowMessage("You are financially bankrupt.\r\nGAME OVER", "Bankruptcy", TMessageKind::Warning);
    ASSERT_FALSE(Modals().Shown.empty());
    EXPECT_EQ(Modals().Shown.back().Caption, "Bankruptcy");
    EXPECT_EQ(Modals().Shown.back().Text, "You are financially bankrupt.\nGAME OVER");

    auto press = [](QMessageBox::StandardButton which) {
        return [which](QDialog& dialog) { dynamic_cast<QMessageBox&>(dialog).button(which)->click(); };
    };
    Modals().Gestures.push_back(press(QMessageBox::Yes));
    EXPECT_EQ(ui.Ask("Overwrite?", "Warning", TButtons::YesNoCancel), TAnswer::Yes);
    Modals().Gestures.push_back(press(QMessageBox::Cancel));
    EXPECT_EQ(ui.Ask("Overwrite?", "Warning", TButtons::YesNoCancel), TAnswer::Cancel);
    // Nobody answering a Yes/No question means No.
    EXPECT_EQ(ui.Ask("Add it again?", "Confirmation", TButtons::YesNo), TAnswer::No);
    EXPECT_EQ(Modals().Shown.back().Caption, "Confirmation");

    const std::string leaving =
        "Your Lead Programmer got a better offer, he will leave your company at the end of this week";
    ui.ShowDeparture(leaving);
    EXPECT_EQ(Modals().Shown.back().Text, FromCp1252(leaving));
}

TEST_F(TGuiTest, FeedShowsEachStyleInItsFontAndScrollsRound) {
    TNewsFeed feed;
    feed.Append("NEWS @ Week 9, 1985\n", TFeedStyle::FONTMAIN);
    feed.Append("Piracy is out of control\n", TFeedStyle::FontHeader1);
    feed.Append("A new Platform called Amiga is under development\n", TFeedStyle::FONTHEADER2);
    feed.Append("plain words\n", TFeedStyle::FontNormal);
    TNewsFeedView& view = *Window->Side().Feed();
    view.Render(feed);

    const QFont normal = view.font();
    auto formatOf = [&](const QString& text) {
        QTextBlock block = view.document()->findBlock(0);
        while (block.isValid() && !block.text().startsWith(text))
            block = block.next();
        EXPECT_TRUE(block.isValid()) << text.toStdString();
        return block.begin().fragment().charFormat();
    };
    const QTextCharFormat heading = formatOf("NEWS @");
    EXPECT_TRUE(heading.font().bold());
    EXPECT_GT(heading.font().pointSizeF(), normal.pointSizeF());
    EXPECT_EQ(heading.foreground().color(), QColor(Qt::black));
    const QTextCharFormat red = formatOf("Piracy");
    EXPECT_TRUE(red.font().bold());
    EXPECT_EQ(red.foreground().color(), QColor(Qt::red));
    const QTextCharFormat blue = formatOf("A new Platform");
    EXPECT_TRUE(blue.font().bold());
    EXPECT_EQ(blue.foreground().color(), QColor(Qt::blue));
    EXPECT_FALSE(formatOf("plain").font().bold());

    // Long enough to scroll: one step moves it down a pixel; at the end it starts again.
    for (int i = 0; i < 60; ++i)
        feed.Append("more news\n", TFeedStyle::FontNormal);
    view.Render(feed);
    QScrollBar* bar = view.verticalScrollBar();
    ASSERT_GT(bar->maximum(), 1);
    EXPECT_EQ(view.ScrollPosition(), 0);
    view.ScrollStep();
    EXPECT_EQ(view.ScrollPosition(), 1);
    bar->setValue(bar->maximum() - 1);
    view.ScrollStep();
    EXPECT_EQ(view.ScrollPosition(), 0);
}

} // namespace
