#include "music/SoundEffects.h"

#include "state/TextFields.h"

int LoadSoundEffects(TAudio& audio, const std::string& folder) {
    const std::string base = WithBackslash(folder);
    int loaded = 0;
    for (int effect = 0; effect < static_cast<int>(SoundEffectFiles.size()); ++effect) {
        const std::string name = FindFileNoCase(base, SoundEffectFiles[effect]);
        if (!name.empty() && audio.LoadEffect(effect, base + name)) ++loaded;
    }
    return loaded;
}
