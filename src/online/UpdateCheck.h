#pragma once
// One look for updates: the description and then the file itself for each name of the list,
// skipping a file whose size equals the local copy, with a status line, a description line,
// a gauge and a log of every status. The window of the game and quillon-update run it alike.
//
// The server's folder carries a manifest signed with the game's update key. A file is kept
// only when the signature is good, the file's size and SHA-256 are those of its manifest line,
// its version is newer than the installed one, and its contents pass their own checks (the
// database reader, or the program archive's); anything else is refused with a status and a
// log line, and nothing in the folders changes. Every text that came from the server is shown
// without its control characters.
//
// Run() blocks until the check is over; a window runs it on a worker thread and may call
// Abort() from its own. The events are called on the thread that runs the check.
#include <atomic>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "online/HttpClient.h"
#include "online/ProgramUpdate.h"
#include "online/Signing.h"
#include "online/UpdateManifest.h"

// The list of accepted versions, in the download folder: "name version" lines.
extern const char* const UpdateVersionsName; // "updates.ver"
// No manifest entry may announce more than this; the small texts have smaller ceilings.
inline constexpr int64_t UpdateFileCeiling = ProgramSizeCeiling;

struct TUpdateRequest {
    // The update server's address, such as "https://updates.example.org/quillon"; empty when
    // it is not configured, and then ServerProblem says why.
    std::string Server;
    std::string ServerProblem;
    std::string RemoteFolder = "qstudio";
    // Where fetched files are saved (created when missing): the writable data folder.
    std::string DownloadFolder;
    // Where the installed copies lie; a file there counts as the local copy while the download
    // folder has none. May be empty or the same folder.
    std::string InstalledFolder;
    std::vector<std::string> Files{"database.pck", "quillon.pck"};
    // An installed game: its package manager updates the program, so "quillon.pck" is not
    // fetched and the check says so; only the database comes down.
    bool ProgramInstalled = false;
    TNetTimeouts Timeouts;
    // The key the manifest must be signed with: the one built into the game. Nothing a server
    // or a settings file says can change it.
    std::string PublicKey = BuiltInUpdateKey();
    // The version of what is installed; a file is fetched only in a newer version.
    std::string InstalledVersion = QUILLON_VERSION;
    // The file name of the program that a program archive must carry, and the most it may
    // unpack to.
    std::string ProgramName = "quillon";
    int64_t ProgramSizeLimit = ProgramSizeCeiling;
    // The only certificate authority trusted when not empty (tests); else the system's.
    std::string CaFile;
};

// What the check says in place of fetching the program of an installed game.
extern const char* const ProgramByPackageText;

// The address with any "user:password@" taken out, for a log.
std::string WithoutCredentials(const std::string& url);

class TUpdateCheck {
public:
    explicit TUpdateCheck(TUpdateRequest request);

    void Run();
    // Stops the check at its next step, keeping the files saved so far (from any thread).
    void Abort() {
        AbortRequested = true;
        Http.StopRequested = true;
    }

    // True once a file was saved, unless the check was aborted.
    bool Downloaded() const { return DownloadedFlag; }
    bool Aborted() const { return AbortedFlag; }
    // Full names of the files saved by this check, in order.
    const std::vector<std::string>& SavedFiles() const { return Saved; }
    const std::string& Status() const { return StatusText; }

    std::function<void(const std::string& text)> OnStatus;
    std::function<void(const std::string& text)> OnDescription;
    // "date-time : text", in the order they happen.
    std::function<void(const std::string& line)> OnLog;
    // A transfer starts: the gauge and the LED bar go to 0 out of `maximum` (0 when the
    // server announced no size).
    std::function<void(int64_t maximum)> OnGaugeStart;
    std::function<void(int64_t position)> OnGaugeProgress;

    // The time stamp of log lines.
    static std::string LogTime();

private:
    void RunSteps();
    void SetStatus(const std::string& text);
    void SetDescription(const std::string& text);
    void Log(const std::string& text);
    void LogStatus() { Log(StatusText); }
    bool CheckAbort();
    void FetchOne(const std::string& fileName);
    std::string FetchDescription(const std::string& fileName);
    std::string RemoteUrl(const std::string& name) const;
    bool FetchManifest();
    void Refuse(const std::string& fileName, const std::string& reason);
    std::string ContentProblem(const std::string& fileName, const std::string& file);
    std::string InstalledVersionOf(const std::string& fileName) const;
    void RecordVersion(const std::string& fileName, const std::string& version);

    TUpdateRequest Request;
    THttpClient Http;
    std::atomic<bool> AbortRequested{false};
    bool AbortedFlag = false;
    bool DownloadedFlag = false;
    std::vector<std::string> Saved;
    TManifest Manifest;
    std::string StatusText = "Ready";
};
