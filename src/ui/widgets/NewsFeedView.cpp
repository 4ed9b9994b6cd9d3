#include "ui/widgets/NewsFeedView.h"

#include <QScrollBar>
#include <QTextCursor>
#include <algorithm>

#include "ui/widgets/Cp1252.h"

QTextCharFormat FeedFormat(TFeedStyle style, const QFont& normal) {
    QTextCharFormat format;
    QFont font = normal;
    QColor colour = Qt::black;
    switch (style) {
    case TFeedStyle::FontNormal:
        break;
    case TFeedStyle::FontHeader1:
        font.setPointSizeF(8);
        font.setBold(true);
        colour = Qt::red;
        break;
    case TFeedStyle::FONTHEADER2:
        font.setPointSizeF(8);
        font.setBold(true);
        colour = Qt::blue;
        break;
    case TFeedStyle::FONTMAIN:
        font.setPointSizeF(normal.pointSizeF() + 1);
        font.setBold(true);
        break;
    }
    format.setFont(font);
    format.setForeground(colour);
    return format;
}

TNewsFeedView::TNewsFeedView(QWidget* parent) : QTextEdit(parent) {
    setObjectName(QStringLiteral("NewsFeed"));
    setReadOnly(true);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setLineWrapMode(QTextEdit::WidgetWidth);
    setTextInteractionFlags(Qt::NoTextInteraction);
    setFocusPolicy(Qt::NoFocus);
    document()->setDocumentMargin(6);
    setStatusTip(tr("This week's news. The feed scrolls by itself; the \"News\" link shows it all at once."));
}

void TNewsFeedView::Render(const TNewsFeed& feed) {
    const bool same =
        HasRendered && Shown.size() == feed.Runs.size() &&
        std::equal(Shown.begin(), Shown.end(), feed.Runs.begin(),
                   [](const auto& a, const auto& b) { return a.Text == b.Text && a.Style == b.Style; });
    if (same) return;
    Shown = feed.Runs;
    HasRendered = true;
    clear();
    QTextCursor cursor(document());
    if (feed.Runs.empty()) {
        cursor.insertText(tr("\nThe news of the week will appear here once the first week is over."),
                          FeedFormat(TFeedStyle::FontNormal, font()));
    }
    for (const auto& run : feed.Runs)
        cursor.insertText(FromCoreText(run.Text), FeedFormat(run.Style, font()));
    ScrollToTop();
}

void TNewsFeedView::ScrollStep() {
    QScrollBar* bar = verticalScrollBar();
    int position = bar->value() + 1;
    // Once the last line has come into view the feed starts again from the top.
    if (position >= bar->maximum()) position = 0;
    bar->setValue(position);
}

void TNewsFeedView::ScrollToTop() {
    verticalScrollBar()->setValue(0);
}

int TNewsFeedView::ScrollPosition() const {
    return verticalScrollBar()->value();
}
