#pragma once
// The "Options" panel: quitting, saving, music and the starfield background.
#include "ui/panels/ContentPanel.h"

class TOptionsPanel : public TContentPanel {
    Q_OBJECT
public:
    TOptionsPanel(const TGame& game, TPanelHost& host, QWidget* parent = nullptr);

signals:
    void QuitGameRequested();
    void MusicRequested();
    void StarfieldToggleRequested();
    void StarfieldSkyRequested();
    void SaveAndEndTurnRequested();
};
