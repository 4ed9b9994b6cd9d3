#include "ui/window/MusicBox.h"

#include "music/Audio.h"
#include "music/SoundEffects.h"
#include "ui/dialogs/WorkingWindow.h"
#include "ui/panels/MusicPanel.h"
#include "ui/widgets/NowPlayingBanner.h"

TMusicBox::TMusicBox(TMusicPanel& panel, TNowPlayingBanner& banner, TWorkingWindow& working,
                     std::function<void(bool)> musicOffChanged, std::unique_ptr<TAudio> audio,
                     const std::string& musicFolder, const std::string& soundsFolder,
                     TMusicPlayer::TRandomFunction random)
    : MusicOffChanged(std::move(musicOffChanged)), Working(working), Sound(std::move(audio)),
      Music(std::make_unique<TMusicPlayer>(*Sound, static_cast<TMusicView&>(*this), musicFolder)),
      PlayerPanel(&panel), NowPlaying(&banner) {
    LoadSoundEffects(*Sound, soundsFolder);
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
}

void TMusicBox::PlayEffect(int effect) {
    Sound->PlayEffect(effect);
}

void TMusicBox::NextSong() {
    Act([this] { Music->NextSong(); });
}

void TMusicBox::StartGame(bool musicOff) {
    // "No ingame music" on the start screen has had its say.
    Music->SetMusicOff(musicOff);
    Act([this] { Music->StartGame(); });
}

void TMusicBox::Tick() {
    if (Music->Poll()) Act([] {});
    NowPlaying->Step();
}

TMusicBox::~TMusicBox() = default;

void TMusicBox::Act(const std::function<void()>& request) {
    request();
    if (MusicOffChanged) MusicOffChanged(Music->MusicOff());
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
    Working.ShowText(QString::fromStdString(text));
}

void TMusicBox::CloseWorking() {
    Working.hide();
}
