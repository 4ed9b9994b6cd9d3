#pragma once
// The "News" panel: this week's feed as plain text in a fixed-pitch box.
#include "ui/panels/ContentPanel.h"

class QPlainTextEdit;

class TNewsPanel : public TContentPanel {
    Q_OBJECT
public:
    TNewsPanel(const TGame& game, TPanelHost& host, QWidget* parent = nullptr);
    // Left open, it shows each new week's news.
    void Render() override;
    QString Text() const;

private:
    QPlainTextEdit* Box;
};
