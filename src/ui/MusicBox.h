#pragma once
// The music of the windowed game: the music rules with their audio, the "Player" panel, the
// "Now Playing :" banner in the status bar, the "Next song" link, the six sound effects of
// the window's controls, and the intro that gives way to the songs when a game starts.
#include <QObject>
#include <memory>
#include <string>

#include "music/MusicPlayer.h"
#include "state/Random.h"

class TAudio;
class TMainWindow;
class TMusicPanel;
class TNowPlayingBanner;

class TMusicBox : public QObject, private TMusicView {
    Q_OBJECT
public:
    // musicFolder holds a folder per style and the intro; soundsFolder the six effects.
    // random(n) chooses the first song; without one the choice follows the clock.
    TMusicBox(TMainWindow& window, std::unique_ptr<TAudio> audio, const std::string& musicFolder,
              const std::string& soundsFolder, TMusicPlayer::TRandomFunction random = {});
    ~TMusicBox() override;

    TMusicPlayer& Player() { return *Music; }
    TAudio& Audio() { return *Sound; }
    TMusicPanel& Panel() const { return *PlayerPanel; }
    TNowPlayingBanner& Banner() const { return *NowPlaying; }

private:
    void ShowBanner(const std::string& text) override;
    void ShowWorking(const std::string& text) override;
    void CloseWorking() override;
    // Runs a request of the player and shows the panel as the rules left it.
    void Act(const std::function<void()>& request);
    void ShowState();

    TMainWindow& Window;
    std::unique_ptr<TAudio> Sound;
    std::unique_ptr<TMusicPlayer> Music;
    TRandom Clock;
    TMusicPanel* PlayerPanel;
    TNowPlayingBanner* NowPlaying;
};

// Gives the window its music: made once, beside the window's other parts, and living as long.
TMusicBox* InstallMusic(TMainWindow& window, std::unique_ptr<TAudio> audio, const std::string& musicFolder,
                        const std::string& soundsFolder, TMusicPlayer::TRandomFunction random = {});
