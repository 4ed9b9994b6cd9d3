#include "ui/panels/MarketInfoPanel.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QResizeEvent>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTableWidget>
#include <QTextCursor>
#include <QTextEdit>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "game/Game.h"
#include "ui/panels/InfoKit.h"
#include "ui/widgets/Cp1252.h"
#include "ui/widgets/LinkButton.h"
#include "ui/widgets/MarketStyle.h"
#include "ui/widgets/PaintBoxGrid.h"
#include "views/MarketInfo.h"

TMarketInfoPanel::TMarketInfoPanel(const TGame& game, TPanelHost& host, QWidget* parent)
    : TContentPanel(QStringLiteral("Market Info"), game, host, parent) {
    Body()->setStyleSheet(QString::fromLatin1(MarketStyleSheet()) + QString::fromLatin1(InfoStyleSheet));
    auto* layout = new QVBoxLayout(Body());
    layout->setContentsMargins(12, 10, 12, 0);
    layout->setSpacing(6);

    auto makeBox = [this](const QString& hint) {
        auto* box = new QTextEdit(Body());
        box->setProperty("paper", true);
        box->setReadOnly(true);
        box->setLineWrapMode(QTextEdit::NoWrap);
        box->setFont(MarketFixedFont());
        box->setUndoRedoEnabled(false);
        box->document()->setDocumentMargin(6);
        SetHint(box, hint);
        return box;
    };
    auto* platforms = new QLabel(QStringLiteral("Platform Sold world wide"), Body());
    platforms->setObjectName(QStringLiteral("InfoHeading"));
    layout->addWidget(platforms);
    PlatformText = makeBox(tr("Machines sold of every platform on the market, how many are still in use, "
                              "the piracy and this week's sales. Olive: the platform's market ends next "
                              "year. Red: its market is over."));
    layout->addWidget(PlatformText, 3);
    auto* legend =
        new QLabel(tr("Olive rows: the market ends next year.   Red rows: the market is over."), Body());
    legend->setObjectName(QStringLiteral("InfoLegend"));
    layout->addWidget(legend);

    auto* genres = new QLabel(QStringLiteral("Public Genre Demand"), Body());
    genres->setObjectName(QStringLiteral("InfoHeading"));
    layout->addWidget(genres);
    GenreText = makeBox(tr("What the public wants to play: the demand for every genre"));
    // Nine lines: the heading, a gap and seven genres.
    GenreText->setFixedHeight(QFontMetrics(MarketFixedFont()).lineSpacing() * 9 + 20);
    layout->addWidget(GenreText);
}

void TMarketInfoPanel::Render() {
    const TMarketView& view = Game.Views.Market;
    auto format = [](const QColor& colour, bool bold) {
        QTextCharFormat f;
        f.setFont(MarketFixedFont());
        f.setForeground(colour);
        f.setFontWeight(bold ? QFont::Bold : QFont::Normal);
        return f;
    };
    const QTextCharFormat heading = format(InfoInk, true);
    const QTextCharFormat styles[3] = {format(Qt::black, false), format(QColor(128, 128, 0), false),
                                       format(QColor(255, 0, 0), false)};

    PlatformText->clear();
    QTextCursor cursor(PlatformText->document());
    for (size_t i = 0; i < view.Platforms.size(); ++i) {
        if (i > 0) cursor.insertBlock();
        const TMarketLine& line = view.Platforms[i];
        cursor.insertText(FromCp1252(line.Text), i == 0 ? heading : styles[static_cast<int>(line.Style)]);
    }
    GenreText->clear();
    QTextCursor genreCursor(GenreText->document());
    for (size_t i = 0; i < view.Genres.size(); ++i) {
        if (i > 0) genreCursor.insertBlock();
        genreCursor.insertText(FromCp1252(view.Genres[i]), i == 0 ? heading : styles[0]);
    }
    for (QTextEdit* box : {PlatformText, GenreText})
        box->moveCursor(QTextCursor::Start);
}
