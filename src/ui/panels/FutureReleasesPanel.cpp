#include "ui/panels/FutureReleasesPanel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QTextCursor>
#include <QTextEdit>
#include <QVBoxLayout>
#include <utility>

#include "game/Game.h"
#include "state/PlatformTables.h"
#include "ui/widgets/Cp1252.h"
#include "ui/widgets/LinkButton.h"
#include "ui/widgets/MarketStyle.h"
#include "views/Calendar.h"

TFutureReleasesPanel::TFutureReleasesPanel(const TGame& game, TPanelHost& host, QWidget* parent)
    : TContentPanel(QStringLiteral("Future Releases"), game, host, parent) {
    Body()->setStyleSheet(QString::fromLatin1(MarketStyleSheet()));
    auto* layout = new QVBoxLayout(Body());
    layout->setContentsMargins(12, 10, 12, 0);
    layout->setSpacing(8);

    auto* controls = new QHBoxLayout;
    controls->setSpacing(8);
    auto* platformCaption = new QLabel(QStringLiteral("Show Release Info on :"), Body());
    platformCaption->setProperty("caption", true);
    Platform = MakeMarketCombo(tr("List the games announced for one platform, or for all of them"), Body());
    Platform->setObjectName(QStringLiteral("FuturePlatform"));
    Platform->setMinimumContentsLength(12);
    NextYear = new QCheckBox(QStringLiteral("View Next Year's releases"), Body());
    SetHint(NextYear, tr("Also list the games announced for the first weeks of next year. The list "
                         "changes when it is next made: at End Of Week or when you pick a platform."));
    controls->addWidget(platformCaption);
    controls->addWidget(Platform);
    controls->addSpacing(12);
    controls->addWidget(NextYear);
    controls->addStretch(1);
    layout->addLayout(controls);

    Releases = new QTextEdit(Body());
    Releases->setObjectName(QStringLiteral("FutureText"));
    Releases->setProperty("paper", true);
    Releases->setReadOnly(true);
    Releases->setUndoRedoEnabled(false);
    Releases->setLineWrapMode(QTextEdit::WidgetWidth);
    Releases->setFont(MarketFixedFont());
    Releases->document()->setDocumentMargin(8);
    SetHint(Releases, tr("Games announced for the rest of this year: title, genre and platform. Watch the "
                         "experts' notes: those games will be hard to compete with."));
    layout->addWidget(Releases, 1);

    auto* totals = MakeMarketCard(Body());
    auto* totalsLayout = new QVBoxLayout(totals);
    totalsLayout->setContentsMargins(10, 6, 10, 8);
    totalsLayout->setSpacing(6);
    auto* totalRow = new QHBoxLayout;
    auto* totalCaption = new QLabel(QStringLiteral("Total releases for this platform this year:"), totals);
    totalCaption->setProperty("caption", true);
    Total = new QLabel(totals);
    Total->setObjectName(QStringLiteral("FutureTotal"));
    SetHint(Total, tr("How many games are announced for the rest of this year"));
    totalRow->addWidget(totalCaption);
    totalRow->addWidget(Total);
    totalRow->addStretch(1);
    totalsLayout->addLayout(totalRow);
    auto* genres = new QGridLayout;
    genres->setHorizontalSpacing(6);
    genres->setVerticalSpacing(0);
    for (int g = 0; g < GenreCount; ++g) {
        GenreCounts[g] = new QLabel(totals);
        GenreCounts[g]->setObjectName(QStringLiteral("GenreCount"));
        GenreCounts[g]->setAlignment(Qt::AlignCenter);
        GenreNames[g] = new QLabel(QString::fromLatin1(Genres[g].Name), totals);
        GenreNames[g]->setProperty("caption", true);
        GenreNames[g]->setAlignment(Qt::AlignCenter);
        const QString hint = tr("%1 games announced for the rest of this year").arg(GenreNames[g]->text());
        SetHint(GenreCounts[g], hint);
        SetHint(GenreNames[g], hint);
        genres->addWidget(GenreCounts[g], 0, g);
        genres->addWidget(GenreNames[g], 1, g);
        genres->setColumnStretch(g, 1);
    }
    totalsLayout->addLayout(genres);
    layout->addWidget(totals);

    auto* links = new QHBoxLayout;
    Calendar = new TLinkButton(QStringLiteral("View Release calendar"),
                               tr("Week by week: the games announced for one genre and platform"), Body());
    links->addWidget(Calendar);
    links->addStretch(1);
    layout->addLayout(links);

    connect(Platform, &QComboBox::activated, this, [this](int index) { Act(TChooseFuturePlatform{index}); });
    connect(NextYear, &QCheckBox::clicked, this,
            [this](bool checked) { Act(TShowNextYearReleases{checked}); });
    connect(Calendar, &QPushButton::clicked, this, [this] { ShowPanel(QStringLiteral("Release Calendar")); });
}

void TFutureReleasesPanel::Render() {
    const TFutureReleasesView& view = Game.Views.FutureReleases;
    ShowChoices(Platform, ChoiceTexts(view.PlatformFilter), view.PlatformFilter.Selected);
    NextYear->setChecked(view.NextYear);

    Releases->clear();
    QTextCursor cursor(Releases->document());
    for (const TFeedRun& run : view.Text)
        cursor.insertText(FromCoreText(run.Text), MarketFormat(run.Style));
    Releases->moveCursor(QTextCursor::Start);
    Releases->verticalScrollBar()->setValue(0);

    Total->setText(QString::number(view.Total));
    for (int g = 0; g < GenreCount; ++g)
        GenreCounts[g]->setText(QString::number(view.GenreCounts[g]));
}
