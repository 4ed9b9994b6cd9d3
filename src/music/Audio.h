#pragma once
// What the music player and the sound effects need from the machine's sound: one song player
// for MIDI files, a second player for the intro, the song volume and six short effects. The
// game uses the SDL2_mixer implementation; tests use TFakeAudio. Every operation fails
// quietly: without a sound device, a synthesiser or a readable file the game plays on silent.
#include <string>

// The volume slider's range; an implementation maps it onto its own.
constexpr int MaxMusicVolume = 65000;

class TAudio {
public:
    virtual ~TAudio() = default;

    // Opens a song for the song player, closing the one before. False when it cannot be
    // played (no such file, a damaged file, no sound device or synthesiser).
    virtual bool OpenSong(const std::string& path) = 0;
    // Plays the open song: on from where Stop left it, or from the start. False without one.
    virtual bool PlaySong() = 0;
    virtual void StopSong() = 0;
    // True once after the open song has played to its end; stopping it does not count.
    virtual bool TakeSongEnded() = 0;
    // 0..MaxMusicVolume.
    virtual void SetSongVolume(int volume) = 0;

    // The intro player: plays a file from a position in milliseconds.
    virtual bool PlayIntro(const std::string& path, int startMs) = 0;
    virtual void StopIntro() = 0;

    // Sound effects, numbered from 0.
    virtual bool LoadEffect(int effect, const std::string& path) = 0;
    virtual void PlayEffect(int effect) = 0;
};
