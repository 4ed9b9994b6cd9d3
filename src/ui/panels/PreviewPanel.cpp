#include "ui/panels/PreviewPanel.h"

#include <QGridLayout>
#include <QLabel>
#include <QProgressBar>
#include <QTextCursor>
#include <QTextEdit>
#include <QVBoxLayout>
#include <algorithm>

#include "game/Game.h"
#include "ui/panels/PanelKit.h"
#include "ui/widgets/Cp1252.h"
#include "ui/widgets/LinkButton.h"
#include "ui/widgets/NewsFeedView.h"

namespace {
const char* const ScoreNames[4] = {"Sound", "Graphics", "Gameplay", "Overall"};
} // namespace

TPreviewPanel::TPreviewPanel(const TGame& game, TPanelHost& host, QWidget* parent)
    : TContentPanel(QStringLiteral("Preview Feedback"), game, host, parent) {
    auto* layout = new QVBoxLayout(Body());
    layout->setContentsMargins(16, 12, 16, 0);
    layout->setSpacing(10);

    TextBox = new QTextEdit(Body());
    TextBox->setReadOnly(true);
    TextBox->setProperty("paper", true);
    TextBox->setStyleSheet(QStringLiteral(
        "QTextEdit { background: #f6f1e3; color: #000000; border: 1px solid #b8a978; border-radius: 4px; }"));
    TextBox->document()->setDocumentMargin(10);
    SetHint(TextBox, tr("What the magazine wrote about your game"));
    layout->addWidget(TextBox, 1);

    auto* card = MakeCard(Body());
    auto* grid = new QGridLayout(card);
    grid->setContentsMargins(14, 8, 14, 12);
    grid->setHorizontalSpacing(10);
    grid->setVerticalSpacing(6);
    grid->addWidget(MakeHeading(tr("Scores"), card), 0, 0, 1, 2);
    for (int i = 0; i < 4; ++i) {
        auto* caption = MakeCaption(QString::fromLatin1(ScoreNames[i]), card);
        auto* bar = new QProgressBar(card);
        bar->setRange(0, 100);
        bar->setFormat(QStringLiteral("%v"));
        bar->setFixedHeight(16);
        const QString hint =
            tr("The magazine's %1 score, out of 100").arg(QString::fromLatin1(ScoreNames[i]));
        SetHint(caption, hint);
        SetHint(bar, hint);
        grid->addWidget(caption, i + 1, 0);
        grid->addWidget(bar, i + 1, 1);
        Bars[static_cast<size_t>(i)] = bar;
    }
    grid->setColumnStretch(1, 1);
    layout->addWidget(card);
}

void TPreviewPanel::Render() {
    const TPreviewReport& report = Game.State.Preview;
    TextBox->clear();
    QTextCursor cursor(TextBox->document());
    if (report.Text.empty())
        cursor.insertText(tr("No preview yet. Send your game to a magazine with \"Preview Game\" on the "
                             "Development panel once 30 weeks or fewer of development are left."),
                          FeedFormat(TFeedStyle::FontNormal, TextBox->font()));
    for (const TFeedRun& run : report.Text) {
        QTextCharFormat format = FeedFormat(run.Style, TextBox->font());
        // Titles in the header style, a little larger than the feed's.
        if (run.Style == TFeedStyle::FontHeader1) {
            QFont font = format.font();
            font.setPointSizeF(TextBox->font().pointSizeF() + 1);
            format.setFont(font);
        }
        cursor.insertText(FromCoreText(run.Text), format);
    }
    TextBox->moveCursor(QTextCursor::Start);
    const int scores[4] = {report.Sound, report.Graphics, report.Gameplay, report.Overall};
    for (size_t i = 0; i < Bars.size(); ++i)
        // A score below 0 is an empty bar.
        Bars[i]->setValue(std::clamp(scores[i], 0, 100));
}
