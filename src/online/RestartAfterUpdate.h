#pragma once
// The restart after an update has been downloaded, step by step in its order: the start
// screen closes and the music (intro and song) stops before anything else happens, then the
// player is told, the new program is put in place and started, and this run ends.
#include <functional>
#include <string>

class TArchiveUi;

struct TRestartSteps {
    std::function<void()> CloseStartScreen;
    std::function<void()> StopMusic;
    std::function<void(const std::string& text, const std::string& caption)> Tell;
    // Starts the program again; false when it could not be started.
    std::function<bool(const std::string& program)> StartProgram;
};

// programArchive: the downloaded "quillon.pck", or empty when only the database was new.
// The caller ends this run afterwards.
void RestartAfterUpdate(const TRestartSteps& steps, const std::string& programArchive,
                        const std::string& programFolder, const std::string& executable, TArchiveUi& ui);
