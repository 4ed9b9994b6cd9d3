#pragma once
// "Market Info": the platforms' machines sold and in use, and the public's taste in genres.
#include "ui/panels/ContentPanel.h"

class QTextEdit;

class TMarketInfoPanel : public TContentPanel {
    Q_OBJECT
public:
    TMarketInfoPanel(const TGame& game, TPanelHost& host, QWidget* parent = nullptr);

    // Both lists are built from the game each time the panel opens or the week moves on.
    std::optional<TGesture> Opening() const override { return TOpenPanel{TOpenedPanel::MarketInfo}; }
    std::optional<TGesture> Following() const override { return Opening(); }
    void Render() override;

    QTextEdit* PlatformList() const { return PlatformText; }
    QTextEdit* GenreList() const { return GenreText; }

private:
    QTextEdit* PlatformText;
    QTextEdit* GenreText;
};
