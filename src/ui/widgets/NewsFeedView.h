#pragma once
// The side panel's news feed: the week's styled runs in a read-only box that the
// animation timer scrolls, one pixel a step, round and round.
#include <QTextEdit>
#include <vector>

#include "sim/NewsFeed.h"

class TNewsFeedView : public QTextEdit {
    Q_OBJECT
public:
    explicit TNewsFeedView(QWidget* parent = nullptr);

    // Shows the runs; an empty feed shows the placeholder text.
    void Render(const TNewsFeed& feed);
    void ScrollStep();
    void ScrollToTop();
    int ScrollPosition() const;

private:
    std::vector<TFeedRun> Shown;
    bool HasRendered = false;
};

// The character format of a feed style on the feed's paper-coloured background.
QTextCharFormat FeedFormat(TFeedStyle style, const QFont& normal);
