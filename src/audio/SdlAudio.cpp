#include "audio/SdlAudio.h"

#define SDL_MAIN_HANDLED
#include <SDL.h>
#include <SDL_mixer.h>
#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <system_error>

#include "music/MidiCheck.h"

#ifdef QUILLON_QUIET_ALSA
#include <alsa/asoundlib.h>
#endif

namespace fs = std::filesystem;

std::atomic<TSdlAudio*> TSdlAudio::Current{nullptr};

namespace {
bool Exists(const std::string& path) {
    std::error_code error;
    return !path.empty() && fs::is_regular_file(path, error);
}

bool EndsWithNoCase(const std::string& text, const std::string& end) {
    if (text.size() < end.size()) return false;
    return std::equal(end.rbegin(), end.rend(), text.rbegin(),
                      [](char a, char b) { return std::tolower(a) == std::tolower(b); });
}

// An MP3 file starts with its tag or with a frame's sync bits; the decoder would report
// anything else on the terminal.
bool LooksLikeMp3(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    char head[3] = {};
    if (!file.read(head, 3)) return false;
    const auto byte = [&](int i) { return static_cast<unsigned char>(head[i]); };
    return (head[0] == 'I' && head[1] == 'D' && head[2] == '3') ||
           (byte(0) == 0xFF && (byte(1) & 0xE0) == 0xE0);
}

#ifdef QUILLON_QUIET_ALSA
// SDL tries ALSA's default device; on a machine without one the library would print its
// search on the terminal. Playing on silently is all the game does about it.
void IgnoreAlsaError(const char*, int, const char*, int, const char*, ...) {}
#endif

// A list separated by ';', as the mixer reads it; one existing font is enough.
bool AnySoundFontExists(const std::string& list) {
    size_t start = 0;
    while (start <= list.size()) {
        const size_t end = std::min(list.find(';', start), list.size());
        if (Exists(list.substr(start, end - start))) return true;
        start = end + 1;
    }
    return false;
}
} // namespace

std::string TSdlAudio::FindSoundFont() {
    if (const char* named = std::getenv("SDL_SOUNDFONTS"); named && AnySoundFontExists(named)) return named;
    // Debian's General MIDI soundfonts, the small one first: the mixer loads the font again
    // for every song, and a large one would hold up the window each time.
    static const char* const known[] = {
        "/usr/share/sounds/sf2/TimGM6mb.sf2",   "/usr/share/sounds/sf2/default-GM.sf2",
        "/usr/share/sounds/sf2/FluidR3_GM.sf2", "/usr/share/sounds/sf3/default-GM.sf3",
        "/usr/share/sounds/sf2/FluidR3_GS.sf2", "/usr/share/sounds/sf3/MuseScore_General.sf3",
        "/usr/share/soundfonts/default.sf2",
    };
    for (const char* path : known)
        if (Exists(path)) return path;
    return "";
}

int TSdlAudio::MixerVolume(int volume) {
    const int clamped = std::clamp(volume, 0, MaxMusicVolume);
    return (clamped * MIX_MAX_VOLUME + MaxMusicVolume / 2) / MaxMusicVolume;
}

TSdlAudio::TSdlAudio(const std::string& soundFont) {
#ifdef QUILLON_QUIET_ALSA
    snd_lib_error_set_handler(&IgnoreAlsaError);
#endif
    // Ctrl+C and the desktop's SIGTERM must end the game as they end any program; SDL would
    // turn them into quit events nobody here reads.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        Error = SDL_GetError();
        return;
    }
    SdlStarted = true;
    // Whatever the decoders this mixer has; a missing one only fails its own files.
    Mix_Init(MIX_INIT_MID | MIX_INIT_MP3 | MIX_INIT_OGG);
    if (Mix_OpenAudio(44100, MIX_DEFAULT_FORMAT, 2, 2048) != 0) {
        Error = Mix_GetError();
        return;
    }
    Opened = true;
    Mix_AllocateChannels(static_cast<int>(Effects.size()));
    // Without a font the mixer's synthesiser would take every song and play silence.
    HasSoundFont = AnySoundFontExists(soundFont);
    if (HasSoundFont) Mix_SetSoundFonts(soundFont.c_str());
    Current = this;
    Mix_HookMusicFinished(&TSdlAudio::MusicFinished);
}

TSdlAudio::~TSdlAudio() {
    if (Opened) {
        Mix_HookMusicFinished(nullptr);
        Halt();
        FreeMusic(Song);
        FreeMusic(Intro);
        Mix_HaltChannel(-1);
        for (Mix_Chunk*& chunk : Effects)
            if (chunk) {
                Mix_FreeChunk(chunk);
                chunk = nullptr;
            }
        Mix_CloseAudio();
        Current = nullptr;
    }
    if (SdlStarted) {
        Mix_Quit();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
    }
}

void TSdlAudio::MusicFinished() {
    // Runs on the mixer's thread when the stream ends by itself, and inside Mix_HaltMusic.
    TSdlAudio* self = Current.load();
    if (!self || self->Halting) return;
    if (self->SongOnStream.exchange(false)) self->Ended = true;
}

void TSdlAudio::Halt() {
    if (!Opened) return;
    Halting = true;
    Mix_HaltMusic();
    Halting = false;
    SongOnStream = false;
    SongPaused = false;
    Ended = false;
}

void TSdlAudio::FreeMusic(Mix_Music*& music) {
    if (!music) return;
    Mix_FreeMusic(music);
    music = nullptr;
}

bool TSdlAudio::Fail() {
    // Without a device the reason it could not be opened stays the one to tell.
    if (Opened) Error = Mix_GetError();
    return false;
}

bool TSdlAudio::OpenSong(const std::string& path) {
    if (!Opened) return Fail();
    Halt();
    FreeMusic(Song);
    // The synthesiser takes a damaged MIDI file without complaint and then plays nothing, so
    // the file is read through first.
    if (EndsWithNoCase(path, ".mid")) {
        if (!HasSoundFont) {
            Error = "no General MIDI soundfont";
            return false;
        }
        if (!IsPlayableMidi(path)) {
            Error = "not a playable MIDI file: " + path;
            return false;
        }
    }
    Song = Mix_LoadMUS(path.c_str());
    return Song ? true : Fail();
}

bool TSdlAudio::PlaySong() {
    if (!Opened || !Song) return Fail();
    if (SongPaused) {
        SongPaused = false;
        SongOnStream = true;
        Mix_ResumeMusic();
        return true;
    }
    Halt();
    Mix_VolumeMusic(MixerVolume(SongVolume));
    SongOnStream = true;
    if (Mix_PlayMusic(Song, 0) != 0) {
        SongOnStream = false;
        return Fail();
    }
    return true;
}

void TSdlAudio::StopSong() {
    if (!Opened) return;
    if (SongOnStream && Mix_PlayingMusic() && !Mix_PausedMusic()) {
        Mix_PauseMusic();
        SongPaused = true;
    }
    Ended = false;
}

bool TSdlAudio::TakeSongEnded() {
    return Ended.exchange(false);
}

void TSdlAudio::SetSongVolume(int volume) {
    SongVolume = std::clamp(volume, 0, MaxMusicVolume);
    if (Opened && SongOnStream) Mix_VolumeMusic(MixerVolume(SongVolume));
}

bool TSdlAudio::PlayIntro(const std::string& path, int startMs) {
    if (!Opened) return Fail();
    Halt();
    FreeMusic(Intro);
    if (EndsWithNoCase(path, ".mp3") && !LooksLikeMp3(path)) {
        Error = "not an MP3 file: " + path;
        return false;
    }
    Intro = Mix_LoadMUS(path.c_str());
    if (!Intro) return Fail();
    Mix_VolumeMusic(MIX_MAX_VOLUME);
    // A short fade in, since it starts in the middle of a phrase.
    if (Mix_FadeInMusicPos(Intro, 0, 400, startMs / 1000.0) != 0) return Fail();
    return true;
}

void TSdlAudio::StopIntro() {
    if (!Opened || !Intro) return;
    if (!SongOnStream && !SongPaused) Halt();
    FreeMusic(Intro);
}

bool TSdlAudio::LoadEffect(int effect, const std::string& path) {
    if (!Opened || effect < 0 || effect >= static_cast<int>(Effects.size())) return Fail();
    if (Effects[effect]) Mix_FreeChunk(Effects[effect]);
    Effects[effect] = Mix_LoadWAV(path.c_str());
    return Effects[effect] ? true : Fail();
}

void TSdlAudio::PlayEffect(int effect) {
    if (!Opened || effect < 0 || effect >= static_cast<int>(Effects.size()) || !Effects[effect]) return;
    Mix_PlayChannel(-1, Effects[effect], 0);
}
