#pragma once
// The music player panel ("Player"): the style choice " Genre ", the style's songs, "Play",
// "Stop", "Mute" and the "Volume:" slider. It only reports the player's gestures and shows
// what it is told; the music rules decide.
#include <QStringList>

#include "ui/panels/ContentPanel.h"

class QButtonGroup;
class QCheckBox;
class QListWidget;
class QPushButton;
class QRadioButton;
class QSlider;

class TMusicPanel : public TContentPanel {
    Q_OBJECT
public:
    TMusicPanel(const TGame& game, TPanelHost& host, QWidget* parent = nullptr);

    // What the panel shows, without reporting it as the player's choice.
    void ShowStyle(int style);
    void ShowSongs(const QStringList& songs, int current);
    void ShowMute(bool muted);
    void ShowVolume(int volume);

    QRadioButton* StyleButton(int style) const;
    QListWidget* SongList() const { return Songs; }
    QPushButton* PlayButton() const { return Play; }
    QPushButton* StopButton() const { return Stop; }
    QCheckBox* MuteBox() const { return Mute; }
    QSlider* VolumeSlider() const { return Volume; }

signals:
    void StyleChosen(int style);
    void SongClicked(int index);
    void PlayPressed();
    void StopPressed();
    void MuteToggled(bool muted);
    void VolumeChanged(int volume);

private:
    QButtonGroup* Styles;
    QListWidget* Songs;
    QPushButton* Play;
    QPushButton* Stop;
    QCheckBox* Mute;
    QSlider* Volume;
};
