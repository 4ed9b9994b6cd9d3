#pragma once
// The "Preview Feedback" panel: what the magazine wrote in its last preview of the studio's
// game, and its four scores.
#include <array>

#include "ui/panels/ContentPanel.h"

class QProgressBar;
class QTextEdit;
class TGame;

class TPreviewPanel : public TContentPanel {
    Q_OBJECT
public:
    TPreviewPanel(const TGame& game, TPanelHost& host, QWidget* parent = nullptr);

    void Render() override;

    QTextEdit* Text() const { return TextBox; }
    // "Sound", "Graphics", "Gameplay", "Overall".
    QProgressBar* ScoreBar(int index) const { return Bars.at(static_cast<size_t>(index)); }

private:
    QTextEdit* TextBox;
    std::array<QProgressBar*, 4> Bars{};
};
