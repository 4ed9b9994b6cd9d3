#include "ui/panels/SalesChartPanel.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextEdit>
#include <QVBoxLayout>
#include <algorithm>
#include <utility>

#include "game/Game.h"
#include "sim/Sales.h"
#include "ui/widgets/Cp1252.h"
#include "ui/widgets/LinkButton.h"
#include "ui/widgets/MarketStyle.h"

TSalesChartPanel::TSalesChartPanel(const TGame& game, TPanelHost& host, QWidget* parent)
    : TContentPanel(QStringLiteral("Sales Charts"), game, host, parent),
      PointSize(MarketFixedFont().pointSize()) {
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
    // The print shrinks to the box's width instead (see FittingPointSize).
    Chart->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Chart->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Chart->viewport()->installEventFilter(this);
    Chart->setFont(MarketFixedFont());
    Chart->setUndoRedoEnabled(false);
    Chart->document()->setDocumentMargin(6);
    SetHint(Chart, tr("The best-selling games. Your own games are printed in red."));
    sheetLayout->addWidget(HeaderStrip);
    sheetLayout->addWidget(Chart, 1);
    layout->addWidget(sheet, 1);

    connect(Platform, &QComboBox::activated, this, [this](int index) { Act(TChooseChartPlatform{index}); });
    connect(AllTime, &QPushButton::clicked, this, [this] { Act(TShowAllTimeBest{}); });
    connect(Chart->horizontalScrollBar(), &QScrollBar::valueChanged, this,
            &TSalesChartPanel::FollowHorizontalScroll);
}

void TSalesChartPanel::Render() {
    const TSalesChart& chart = Game.Views.Chart.Chart;
    const TChoiceList& filter = Game.Views.Chart.Filter;
    Title->setText(FromCp1252(chart.Title));
    ShowChoices(Platform, ChoiceTexts(filter), filter.Selected);

    Header->setText(FromCp1252(chart.Header));

    Chart->clear();
    QTextCursor cursor(Chart->document());
    QTextCharFormat normal = MarketFormat(TFeedStyle::FontNormal);
    QTextCharFormat players = MarketFormat(TFeedStyle::FontHeader1);
    PointSize = FittingPointSize();
    normal.setFontPointSize(PointSize);
    players.setFontPointSize(PointSize);
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
    ApplyPointSize(PointSize);
}

int TSalesChartPanel::FittingPointSize() const {
    // Trailing blanks print nothing, so they may run past the edge.
    const auto printed = [](const std::string& text) {
        size_t end = text.find_last_not_of(' ');
        return end == std::string::npos ? 0 : static_cast<int>(end) + 1;
    };
    const TSalesChart& chart = Game.Views.Chart.Chart;
    int widest = printed(chart.Header);
    for (const TChartRow& row : chart.Rows)
        widest = std::max(widest, printed(row.Text));
    const int room =
        Chart->viewport()->width() - 2 * static_cast<int>(Chart->document()->documentMargin()) - 2;
    const int designed = MarketFixedFont().pointSize();
    constexpr int Smallest = 6;
    for (int size = designed; size > Smallest; --size) {
        QFont font = MarketFixedFont();
        font.setPointSize(size);
        font.setBold(true); // the player's rows are bold
        if (QFontMetricsF(font).horizontalAdvance(QString(widest, QLatin1Char('W'))) <= room) return size;
    }
    return Smallest;
}

void TSalesChartPanel::ApplyPointSize(int size) {
    PointSize = size;
    QFont headerFont = Header->font();
    headerFont.setPointSize(size);
    Header->setFont(headerFont);
    Header->adjustSize();
    HeaderStrip->setFixedHeight(QFontMetrics(headerFont).height() + 8);
    QTextCharFormat sized;
    sized.setFontPointSize(size);
    QTextCursor all(Chart->document());
    all.select(QTextCursor::Document);
    all.mergeCharFormat(sized);
    FollowHorizontalScroll(Chart->horizontalScrollBar()->value());
}

bool TSalesChartPanel::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Chart->viewport() && event->type() == QEvent::Resize) {
        const int size = FittingPointSize();
        if (size != PointSize) ApplyPointSize(size);
    }
    return TContentPanel::eventFilter(watched, event);
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

void TSalesChartPanel::FollowHorizontalScroll(int position) {
    // The rows start at the text box's frame plus the document's margin.
    const int left = Chart->frameWidth() + static_cast<int>(Chart->document()->documentMargin());
    Header->move(left - position, (HeaderStrip->height() - Header->height()) / 2);
}
