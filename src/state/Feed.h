#pragma once
// The week's news feed, kept as styled runs of text; the window renders the styles.
#include <string>
#include <vector>

enum class TFeedStyle { FontNormal, FontHeader1, FONTHEADER2, FONTMAIN };

struct TFeedRun {
    std::string Text;
    TFeedStyle Style;
};

struct TNewsFeed {
    std::vector<TFeedRun> Runs;
    // Appends text at the end in a style; '\n' ends a line.
    void Append(const std::string& text, TFeedStyle style) { Runs.push_back({text, style}); }
    void AddLine(const std::string& text) { Append(text + "\n", TFeedStyle::FontNormal); }
    std::string PlainText() const {
        std::string text;
        for (const auto& run : Runs)
            text += run.Text;
        return text;
    }
};
