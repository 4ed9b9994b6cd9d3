#pragma once
// The music of the windowed game: the music rules with their audio, the "Player" panel, the
// "Now Playing :" banner in the status bar, the "Next song" link, the six sound effects of
// the window's controls, and the intro that gives way to the songs when a game starts.
#include <QObject>
#include <functional>
#include <memory>
#include <string>

#include "music/MusicPlayer.h"
#include "state/Random.h"

class TAudio;
class TMusicPanel;
class TNowPlayingBanner;
class TWorkingWindow;

class TMusicBox : public QObject, private TMusicView {
    Q_OBJECT
public:
    // musicFolder holds a folder per style and the intro; soundsFolder the six effects.
    // random(n) chooses the first song; without one the choice follows the clock.
    // The window gives the box its "Player" panel, the banner and the working window, and
    // hears from it whether the player has switched the music off.
    TMusicBox(TMusicPanel& panel, TNowPlayingBanner& banner, TWorkingWindow& working,
              std::function<void(bool musicOff)> musicOffChanged, std::unique_ptr<TAudio> audio,
              const std::string& musicFolder, const std::string& soundsFolder,
              TMusicPlayer::TRandomFunction random = {});
    ~TMusicBox() override;

    TMusicPlayer& Player() { return *Music; }
    TAudio& Audio() { return *Sound; }
    TMusicPanel& Panel() const { return *PlayerPanel; }
    TNowPlayingBanner& Banner() const { return *NowPlaying; }

    // One of the six short sounds of the window's controls.
    void PlayEffect(int effect);
    // "Next song".
    void NextSong();
    // A game has started: the intro gives way to the songs, unless the music is off.
    void StartGame(bool musicOff);
    // A tick of the window's animation: the end of a song is looked for, the banner moves on.
    void Tick();

private:
    void ShowBanner(const std::string& text) override;
    void ShowWorking(const std::string& text) override;
    void CloseWorking() override;
    // Runs a request of the player and shows the panel as the rules left it.
    void Act(const std::function<void()>& request);
    void ShowState();

    std::function<void(bool)> MusicOffChanged;
    TWorkingWindow& Working;
    std::unique_ptr<TAudio> Sound;
    std::unique_ptr<TMusicPlayer> Music;
    TRandom Clock;
    TMusicPanel* PlayerPanel;
    TNowPlayingBanner* NowPlaying;
};
