#pragma once
// The six short sounds of the main window: 0 a menu link, 1 End Of Week, 2 Game Options,
// 3 a panel closed, 4 the side panel widened, 5 narrowed.
#include <array>
#include <string>

#include "music/Audio.h"

constexpr std::array<const char*, 6> SoundEffectFiles = {"link.wav",  "endofweek.wav", "options.wav",
                                                         "close.wav", "widen.wav",     "narrow.wav"};

// Loads the effects found in the folder (names in any letter case); returns how many loaded.
int LoadSoundEffects(TAudio& audio, const std::string& folder);
