#include "ui/SalesChartPanel.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextEdit>
#include <QVBoxLayout>
#include <utility>

#include "game/Game.h"
#include "sim/Sales.h"
#include "ui/Cp1252.h"
#include "ui/LinkButton.h"

TSalesChartPanel::TSalesChartPanel(TGame& game, TMarketPerform perform, QWidget* parent)
    : TContentPanel(QStringLiteral("Sales Charts"), parent), Game(game), Perform(std::move(perform)) {
    Body()->setStyleSheet(QString::fromLatin1(MarketStyleSheet()));
    auto* layout = new QVBoxLayout(Body());
    layout->setContentsMargins(12, 10, 12, 0);
    layout->setSpacing(6);

    Title = new QLabel(Body());
    Title->setObjectName(QStringLiteral("MarketTitle"));
    SetHint(Title, tr("Which chart you are looking at"));
    layout->addWidget(Title);

    auto* controls = new QHBoxLayout;
    controls->setSpacing(8);
    auto* platformCaption = new QLabel(tr("Platform:"), Body());
    platformCaption->setProperty("caption", true);
    Platform = MakeMarketCombo(tr("Show the weekly chart of one platform (its 30 best sellers), or of all "
                                  "platforms again"),
                               Body());
    Platform->setObjectName(QStringLiteral("ChartPlatform"));
    Platform->setMinimumContentsLength(12);
    AllTime = MakeMarketButton(QStringLiteral("View all time best"),
                               tr("The 150 best-selling games of all time, counted by their total sales, "
                                  "including games no longer in the shops"),
                               Body());
    controls->addWidget(platformCaption);
    controls->addWidget(Platform);
    controls->addSpacing(8);
    controls->addWidget(AllTime);
    controls->addStretch(1);
    layout->addLayout(controls);

    auto* sheet = MakeMarketCard(Body());
    auto* sheetLayout = new QVBoxLayout(sheet);
    sheetLayout->setContentsMargins(0, 0, 0, 0);
    sheetLayout->setSpacing(0);
    // The header stays in view while the rows scroll under it, and follows them sideways.
    HeaderStrip = new QWidget(sheet);
    HeaderStrip->setObjectName(QStringLiteral("ChartHeaderStrip"));
    HeaderStrip->setAttribute(Qt::WA_StyledBackground);
    Header = new QLabel(HeaderStrip);
    Header->setObjectName(QStringLiteral("ChartHeader"));
    Header->setTextFormat(Qt::PlainText);
    QFont headerFont = MarketFixedFont();
    headerFont.setBold(true);
    Header->setFont(headerFont);
    const QString headerHint = tr("Pos: place this week. Last: place last week. Weeks: weeks on sale. Your "
                                  "own games are printed in red.");
    SetHint(HeaderStrip, headerHint);
    SetHint(Header, headerHint);
    HeaderStrip->setFixedHeight(QFontMetrics(headerFont).height() + 8);
    Chart = new QTextEdit(sheet);
    Chart->setObjectName(QStringLiteral("ChartText"));
    Chart->setProperty("paper", true);
    Chart->setReadOnly(true);
    Chart->setLineWrapMode(QTextEdit::NoWrap);
    Chart->setFont(MarketFixedFont());
    Chart->setUndoRedoEnabled(false);
    Chart->document()->setDocumentMargin(6);
    SetHint(Chart, tr("The best-selling games. Your own games are printed in red."));
    sheetLayout->addWidget(HeaderStrip);
    sheetLayout->addWidget(Chart, 1);
    layout->addWidget(sheet, 1);

    connect(Platform, &QComboBox::activated, this, &TSalesChartPanel::ChoosePlatform);
    connect(AllTime, &QPushButton::clicked, this, &TSalesChartPanel::ShowAllTimeBest);
    connect(Chart->horizontalScrollBar(), &QScrollBar::valueChanged, this,
            &TSalesChartPanel::FollowHorizontalScroll);
}

void TSalesChartPanel::Render() {
    const TSalesChart& chart = Game.Views.Chart.Chart;
    const TChoiceList& filter = Game.Views.Chart.Filter;
    Title->setText(FromCp1252(chart.Title));
    ShowChoices(Platform, ChoiceTexts(filter), filter.Selected);

    Header->setText(FromCp1252(chart.Header));
    Header->adjustSize();

    Chart->clear();
    QTextCursor cursor(Chart->document());
    const QTextCharFormat normal = MarketFormat(TFeedStyle::FontNormal);
    const QTextCharFormat players = MarketFormat(TFeedStyle::FontHeader1);
    bool first = true;
    for (const TChartRow& row : chart.Rows) {
        if (!first) cursor.insertBlock();
        first = false;
        cursor.insertText(FromCp1252(row.Text), row.ByPlayer ? players : normal);
    }
    // The text box keeps its caret in view; left at the end it would show the last places.
    Chart->moveCursor(QTextCursor::Start);
    Chart->verticalScrollBar()->setValue(0);
    Chart->horizontalScrollBar()->setValue(0);
    FollowHorizontalScroll(0);
}

QStringList TSalesChartPanel::Rows() const {
    QStringList rows;
    if (Game.Views.Chart.Chart.Rows.empty()) return rows;
    for (QTextBlock block = Chart->document()->begin(); block.isValid(); block = block.next())
        rows.append(block.text());
    return rows;
}

bool TSalesChartPanel::RowInHeaderStyle(int row) const {
    const QTextBlock block = Chart->document()->findBlockByNumber(row);
    if (!block.isValid()) return false;
    // The style of the row's first character is the style of the whole row.
    QTextCursor cursor(block);
    cursor.movePosition(QTextCursor::NextCharacter);
    const QTextCharFormat format = cursor.charFormat();
    return format.font().bold() &&
           format.foreground().color() == MarketFormat(TFeedStyle::FontHeader1).foreground().color();
}

void TSalesChartPanel::ChoosePlatform(int index) {
    Perform([this, index] {
        Game.Views.Chart.Filter.Selected = index;
        Game.Views.Chart.AllTime = false;
        ShowChart(Game, Game.Views.Chart);
    });
    Render();
}

void TSalesChartPanel::ShowAllTimeBest() {
    Perform([this] {
        Game.Views.Chart.AllTime = true;
        ShowChart(Game, Game.Views.Chart);
    });
    Render();
}

void TSalesChartPanel::FollowHorizontalScroll(int position) {
    // The rows start at the text box's frame plus the document's margin.
    const int left = Chart->frameWidth() + static_cast<int>(Chart->document()->documentMargin());
    Header->move(left - position, (HeaderStrip->height() - Header->height()) / 2);
}
