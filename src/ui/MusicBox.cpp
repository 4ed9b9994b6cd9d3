#include "ui/MusicBox.h"

#include <QStatusBar>
#include <QTimer>

#include "music/Audio.h"
#include "music/SoundEffects.h"
#include "game/Game.h"
#include "ui/LinkButton.h"
#include "ui/MainWindow.h"
#include "ui/MusicPanel.h"
#include "ui/NowPlayingBanner.h"
#include "ui/WorkingWindow.h"

TMusicBox::TMusicBox(TMainWindow& window, std::unique_ptr<TAudio> audio, const std::string& musicFolder,
                     const std::string& soundsFolder, TMusicPlayer::TRandomFunction random)
    : QObject(&window), Window(window), Sound(std::move(audio)),
      Music(std::make_unique<TMusicPlayer>(*Sound, static_cast<TMusicView&>(*this), musicFolder)) {
    PlayerPanel = new TMusicPanel;
    window.InstallPanel(QStringLiteral("Player"), PlayerPanel);
    NowPlaying = new TNowPlayingBanner;
    window.statusBar()->addPermanentWidget(NowPlaying);

    LoadSoundEffects(*Sound, soundsFolder);
    connect(&window, &TMainWindow::SoundRequested, this, [this](int effect) { Sound->PlayEffect(effect); });

    if (!random) random = [this](int n) { return Clock.Random(n); };
    Music->SetUp(random);
    ShowState();

    connect(PlayerPanel, &TMusicPanel::StyleChosen, this,
            [this](int style) { Act([=, this] { Music->ChooseStyle(style); }); });
    connect(PlayerPanel, &TMusicPanel::SongClicked, this,
            [this](int index) { Act([=, this] { Music->ChooseSong(index); }); });
    connect(PlayerPanel, &TMusicPanel::PlayPressed, this, [this] { Act([this] { Music->Play(); }); });
    connect(PlayerPanel, &TMusicPanel::StopPressed, this, [this] { Act([this] { Music->Stop(); }); });
    connect(PlayerPanel, &TMusicPanel::MuteToggled, this,
            [this](bool muted) { Act([=, this] { Music->SetMute(muted); }); });
    connect(PlayerPanel, &TMusicPanel::VolumeChanged, this,
            [this](int volume) { Act([=, this] { Music->SetVolume(volume); }); });
    if (TLinkButton* next = window.Link(QStringLiteral("Next song")))
        connect(next, &QPushButton::clicked, this, [this] { Act([this] { Music->NextSong(); }); });

    connect(&window, &TMainWindow::GameStarted, this, [this] {
        // "No ingame music" on the start screen has had its say.
        Music->SetMusicOff(Window.Game().Flags.MusicOff);
        Act([this] { Music->StartGame(); });
    });
    // The end of a song is looked for, and the banner moved on, with the window's animation.
    connect(&window.StatusTimer(), &QTimer::timeout, this, [this] {
        if (Music->Poll()) Act([] {});
        NowPlaying->Step();
    });
}

TMusicBox::~TMusicBox() = default;

void TMusicBox::Act(const std::function<void()>& request) {
    request();
    Window.Game().Flags.MusicOff = Music->MusicOff();
    ShowState();
}

void TMusicBox::ShowState() {
    QStringList songs;
    for (const std::string& song : Music->Songs())
        songs.append(QString::fromStdString(song));
    PlayerPanel->ShowStyle(Music->Style());
    PlayerPanel->ShowSongs(songs, Music->SongIndex());
    PlayerPanel->ShowMute(Music->Muted());
    PlayerPanel->ShowVolume(Music->Volume());
}

void TMusicBox::ShowBanner(const std::string& text) {
    NowPlaying->SetText(QString::fromStdString(text));
}

void TMusicBox::ShowWorking(const std::string& text) {
    Window.WorkingWindow().ShowText(QString::fromStdString(text));
}

void TMusicBox::CloseWorking() {
    Window.WorkingWindow().hide();
}

TMusicBox* InstallMusic(TMainWindow& window, std::unique_ptr<TAudio> audio, const std::string& musicFolder,
                        const std::string& soundsFolder, TMusicPlayer::TRandomFunction random) {
    return new TMusicBox(window, std::move(audio), musicFolder, soundsFolder, std::move(random));
}
