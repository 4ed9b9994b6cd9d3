#include "online/UpdateCheck.h"

#include <ctime>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "archive/ArchiveUi.h"
#include "online/ServerText.h"
#include "start/GameDatabase.h"
#include "online/ProgramUpdate.h"
#include "state/TextFields.h"

namespace fs = std::filesystem;

const char* const UpdateVersionsName = "updates.ver";
const char* const ProgramByPackageText =
    "The program is updated by your package manager; only the game database is downloaded.";

namespace {

// The most a description, the manifest and its signature may be.
constexpr size_t DescriptionCeiling = 4 * 1024;
constexpr size_t ManifestCeiling = 64 * 1024;
constexpr size_t SignatureCeiling = 1024;

// A description is shown on one line.
std::string OneLine(const std::string& text) {
    return Trim(WithoutControlCharacters(text));
}

std::string ReadText(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void RemoveQuietly(const fs::path& file) {
    std::error_code ignored;
    fs::remove(file, ignored);
}

int64_t SizeOf(const fs::path& file) {
    std::error_code error;
    if (!fs::is_regular_file(file, error)) return -1;
    const auto size = fs::file_size(file, error);
    return error ? -1 : static_cast<int64_t>(size);
}

// The file of that name in the folder, whatever the letter case of the name found there.
fs::path InFolder(const std::string& folder, const std::string& name) {
    const std::string found = FindFileNoCase(folder, name);
    return fs::path(folder) / (found.empty() ? name : found);
}

} // namespace

std::string WithoutCredentials(const std::string& url) {
    const size_t scheme = url.find("://");
    const size_t hostStart = scheme == std::string::npos ? 0 : scheme + 3;
    const size_t hostEnd = url.find_first_of("/?#", hostStart);
    const size_t at = url.rfind('@', hostEnd == std::string::npos ? url.size() : hostEnd);
    if (at == std::string::npos || at < hostStart) return url;
    return url.substr(0, hostStart) + url.substr(at + 1);
}

TUpdateCheck::TUpdateCheck(TUpdateRequest request)
    : Request(std::move(request)), Http(Request.Timeouts, Request.CaFile) {}

std::string TUpdateCheck::LogTime() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &local);
    return text;
}

// Statuses and log lines quote the server at times (a redirect's address, a file name of an
// archive): every text that leaves the check is cleaned here, whatever shows it.
void TUpdateCheck::SetStatus(const std::string& text) {
    StatusText = WithoutControlCharacters(text);
    if (OnStatus) OnStatus(StatusText);
}

void TUpdateCheck::SetDescription(const std::string& text) {
    if (OnDescription) OnDescription(WithoutControlCharacters(text));
}

void TUpdateCheck::Log(const std::string& text) {
    if (OnLog) OnLog(LogTime() + " : " + WithoutControlCharacters(text));
}

std::string TUpdateCheck::RemoteUrl(const std::string& name) const {
    std::string server = Request.Server;
    while (!server.empty() && server.back() == '/')
        server.pop_back();
    return server + "/" + Request.RemoteFolder + "/" + name;
}

bool TUpdateCheck::CheckAbort() {
    if (AbortedFlag) return true;
    if (!AbortRequested.load()) return false;
    AbortedFlag = true;
    SetStatus("Aborted");
    DownloadedFlag = false;
    LogStatus();
    Http.Disconnect();
    return true;
}

void TUpdateCheck::Run() {
    try {
        RunSteps();
    } catch (const std::exception& error) {
        // The network library could not even start; the check ends as with no connection.
        Log(error.what());
        SetStatus("Connection failed");
        LogStatus();
    }
}

void TUpdateCheck::RunSteps() {
    const std::string folder = WithBackslash(Request.DownloadFolder);
    std::error_code error;
    fs::create_directories(folder, error);
    if (!fs::is_directory(folder, error)) {
        SetStatus("Cannot create the folder " + folder);
        LogStatus();
        return;
    }
    // What an earlier check left half-written goes first.
    for (const std::string& fileName : Request.Files)
        RemoveQuietly(fs::path(folder) / ("." + fileName + ".part"));
    if (Request.Server.empty()) {
        Log(Request.ServerProblem.empty() ? "No update server is set" : Request.ServerProblem);
        SetStatus("Connection failed");
        LogStatus();
        return;
    }
    if (const std::string problem = TransportProblem(Request.Server); !problem.empty()) {
        Log(WithoutCredentials(Request.Server) + ": " + problem);
        SetStatus("Update server refused: " + problem);
        LogStatus();
        return;
    }
    if (!IsPublicKeyText(Request.PublicKey)) {
        SetStatus("No updates can be accepted: this game was built without an update key");
        LogStatus();
        return;
    }
    std::string reason;
    if (!Http.Connect(Request.Server, reason)) {
        Log(WithoutCredentials(Request.Server) + ": " + reason);
        SetStatus("Connection failed");
        LogStatus();
        return;
    }
    const bool listed = FetchManifest();
    if (!listed && !AbortedFlag) {
        Http.Disconnect();
        return;
    }
    for (const std::string& fileName : listed ? Request.Files : std::vector<std::string>{}) {
        if (CheckAbort()) break;
        if (Request.ProgramInstalled && UpperCase(fileName) == UpperCase(ProgramArchiveName)) {
            SetStatus(ProgramByPackageText);
            LogStatus();
            continue;
        }
        FetchOne(fileName);
        if (CheckAbort()) break;
    }
    SetStatus(DownloadedFlag ? "New updates downloaded" : "No New Updates Found");
    LogStatus();
    Http.Disconnect();
}

std::string TUpdateCheck::FetchDescription(const std::string& fileName) {
    const std::string stem = fileName.substr(0, fileName.find('.'));
    std::string text;
    Http.FetchText(RemoteUrl(stem + ".dwl"), text, DescriptionCeiling);
    return OneLine(text);
}

// The signed manifest, or a status that says why there is none to trust; nothing else is
// fetched without it.
bool TUpdateCheck::FetchManifest() {
    std::string text;
    std::string signature;
    const TFetchResult listed = Http.FetchText(RemoteUrl(ManifestName), text, ManifestCeiling);
    if (CheckAbort()) return false;
    if (listed.Outcome != TFetchOutcome::Done) {
        Log(std::string(ManifestName) + ": " + listed.Error);
        SetStatus("No signed list of updates found on the server");
        LogStatus();
        return false;
    }
    const TFetchResult signedFetch =
        Http.FetchText(RemoteUrl(ManifestSignatureName), signature, SignatureCeiling);
    if (CheckAbort()) return false;
    if (signedFetch.Outcome != TFetchOutcome::Done) {
        Log(std::string(ManifestSignatureName) + ": " + signedFetch.Error);
        SetStatus("Updates refused: the list of updates is not signed");
        LogStatus();
        return false;
    }
    if (!SignatureIsValid(text, Trim(signature), Request.PublicKey)) {
        Log(std::string(ManifestName) + ": the signature does not match the game's update key");
        SetStatus("Updates refused: the list of updates has a wrong signature");
        LogStatus();
        return false;
    }
    std::string problem;
    std::optional<TManifest> manifest = ParseManifest(text, UpdateFileCeiling, problem);
    if (!manifest) {
        Log(problem);
        SetStatus("Updates refused: the list of updates cannot be read");
        LogStatus();
        return false;
    }
    Manifest = std::move(*manifest);
    return true;
}

void TUpdateCheck::Refuse(const std::string& fileName, const std::string& reason) {
    SetStatus("File(" + fileName + ") refused: " + reason);
    LogStatus();
}

std::string TUpdateCheck::ContentProblem(const std::string& fileName, const std::string& file) {
    if (UpperCase(fileName) == UpperCase("database.pck")) return GameDatabaseProblem(file);
    if (UpperCase(fileName) == UpperCase(ProgramArchiveName)) {
        TQuietArchiveUi ui(TArchiveAnswer::No, false);
        return ProgramArchiveProblem(file, Request.ProgramName, Request.ProgramSizeLimit, ui);
    }
    return "";
}

std::string TUpdateCheck::InstalledVersionOf(const std::string& fileName) const {
    std::string version = Request.InstalledVersion;
    const std::string folder = WithBackslash(Request.DownloadFolder);
    // A recorded version counts only while the file it was recorded for is there.
    if (SizeOf(InFolder(folder, fileName)) < 0) return version;
    std::istringstream in(ReadText(InFolder(folder, UpdateVersionsName)));
    for (std::string name, recorded; in >> name >> recorded;)
        if (UpperCase(name) == UpperCase(fileName) && IsVersion(recorded) &&
            (!IsVersion(version) || CompareVersions(recorded, version) > 0))
            version = recorded;
    return version;
}

void TUpdateCheck::RecordVersion(const std::string& fileName, const std::string& version) {
    const std::string folder = WithBackslash(Request.DownloadFolder);
    const fs::path file = InFolder(folder, UpdateVersionsName);
    std::istringstream in(ReadText(file));
    std::string text;
    for (std::string name, recorded; in >> name >> recorded;)
        if (UpperCase(name) != UpperCase(fileName)) text += name + " " + recorded + "\n";
    text += fileName + " " + version + "\n";
    const fs::path temp = fs::path(folder) / ("." + std::string(UpdateVersionsName) + ".part");
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        out << text;
    }
    std::error_code error;
    fs::rename(temp, file, error);
    if (error) Log("Cannot write " + file.string() + ": " + error.message());
}

void TUpdateCheck::FetchOne(const std::string& fileName) {
    const std::string folder = WithBackslash(Request.DownloadFolder);
    const fs::path target = InFolder(folder, fileName);
    // The copy that counts for the size test: the downloaded one, else the installed one.
    fs::path local = target;
    if (SizeOf(local) < 0 && !Request.InstalledFolder.empty())
        local = InFolder(WithBackslash(Request.InstalledFolder), fileName);

    if (!Http.Connected()) {
        std::string ignored;
        Http.Connect(Request.Server, ignored);
    }
    const std::string description = FetchDescription(fileName);
    if (!description.empty()) {
        SetDescription("Found  : " + description);
        Log("Found  : " + description);
    }
    if (CheckAbort()) return;
    const TManifestEntry* entry = Manifest.Find(fileName);
    if (!entry) {
        Log(fileName + ": not in the signed list of updates");
        SetStatus("File(" + fileName + ") Not found, skipping");
        LogStatus();
        return;
    }
    const std::string installedVersion = InstalledVersionOf(fileName);

    // The body goes to a file beside the target and replaces it only once it is complete, so
    // a broken transfer never spoils a good copy.
    const fs::path part = fs::path(folder) / ("." + fileName + ".part");
    std::ofstream out(part, std::ios::binary | std::ios::trunc);
    if (!out) {
        Log("Cannot write " + part.string());
        SetStatus("File(" + fileName + ") Not found, skipping");
        LogStatus();
        return;
    }
    bool skipped = false;
    bool refused = false;
    TFetchEvents events;
    events.OnStart = [&](int64_t announced) {
        if (OnGaugeStart) OnGaugeStart(announced > 0 ? announced : 0);
        SetStatus("Begin Download " + fileName);
        LogStatus();
        if (announced >= 0 && SizeOf(local) == announced) {
            SetStatus("Identical size with local file. Skipping file.");
            LogStatus();
            skipped = true;
            return false;
        }
        refused = true;
        if (announced != entry->Size) {
            Refuse(fileName, "the server announces " + std::to_string(announced) +
                                 " bytes, the signed list " + std::to_string(entry->Size));
            return false;
        }
        if (!IsVersion(installedVersion) || CompareVersions(entry->Version, installedVersion) <= 0) {
            Refuse(fileName,
                   "version " + entry->Version + " is not newer than the installed " + installedVersion);
            return false;
        }
        refused = false;
        return true;
    };
    events.OnProgress = [&](int64_t received) {
        if (OnGaugeProgress) OnGaugeProgress(received);
    };
    TFetchLimits limits;
    limits.MaxBytes = entry->Size;
    limits.RequireLength = true;
    const TFetchResult result = Http.Fetch(
        RemoteUrl(fileName),
        [&out](const char* data, size_t n) {
            out.write(data, static_cast<std::streamsize>(n));
            return static_cast<bool>(out);
        },
        limits, events);
    out.close();
    const bool written = static_cast<bool>(out);

    if (skipped) {
        RemoveQuietly(part);
        Http.Disconnect();
        return;
    }
    if (CheckAbort() || refused) {
        RemoveQuietly(part);
        return;
    }
    if (result.Outcome == TFetchOutcome::Refused) {
        RemoveQuietly(part);
        Refuse(fileName, result.Error);
        return;
    }
    if (result.Outcome == TFetchOutcome::Done && written) {
        if (FileSha256(part.string()) != entry->Sha256) {
            RemoveQuietly(part);
            Refuse(fileName, "its SHA-256 is not the one of the signed list");
            return;
        }
        if (const std::string problem = ContentProblem(fileName, part.string()); !problem.empty()) {
            RemoveQuietly(part);
            Refuse(fileName, problem);
            return;
        }
        std::error_code error;
        fs::rename(part, target, error);
        if (!error) {
            RecordVersion(fileName, entry->Version);
            Saved.push_back(target.string());
            SetStatus("File Downloaded : " + target.string());
            if (!description.empty()) SetDescription("downloaded : " + description);
            LogStatus();
            DownloadedFlag = true;
            return;
        }
        Log("Cannot replace " + target.string() + ": " + error.message());
    } else {
        Log(fileName + ": " + (written ? result.Error : "cannot write " + part.string()));
    }
    RemoveQuietly(part);
    SetStatus("File(" + fileName + ") Not found, skipping");
    LogStatus();
}
