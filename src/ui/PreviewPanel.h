#pragma once
// The "Preview Feedback" panel: what the magazine wrote in its last preview of the studio's
// game, and its four scores.
#include <array>

#include "ui/ContentPanel.h"

class QProgressBar;
class QTextEdit;
class TGame;

class TPreviewPanel : public TContentPanel {
    Q_OBJECT
public:
    explicit TPreviewPanel(const TGame& game, QWidget* parent = nullptr);

    void Refresh() override;
    void GameChanged() override { Refresh(); }

    QTextEdit* Text() const { return TextBox; }
    // "Sound", "Graphics", "Gameplay", "Overall".
    QProgressBar* ScoreBar(int index) const { return Bars.at(static_cast<size_t>(index)); }

private:
    const TGame& Game;
    QTextEdit* TextBox;
    std::array<QProgressBar*, 4> Bars{};
};
