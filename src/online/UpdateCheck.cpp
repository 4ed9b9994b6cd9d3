#include "online/UpdateCheck.h"

#include <ctime>
#include <filesystem>
#include <fstream>

#include "online/ProgramUpdate.h"
#include "state/TextFields.h"

namespace fs = std::filesystem;

const char* const ProgramByPackageText =
    "The program is updated by your package manager; only the game database is downloaded.";

namespace {

// A description is shown on one line.
std::string OneLine(std::string text) {
    for (char& c : text)
        if (c == '\r' || c == '\n' || c == '\t') c = ' ';
    return Trim(text);
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

TUpdateCheck::TUpdateCheck(TUpdateRequest request) : Request(std::move(request)), Http(Request.Timeouts) {}

std::string TUpdateCheck::LogTime() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &local);
    return text;
}

void TUpdateCheck::SetStatus(const std::string& text) {
    StatusText = text;
    if (OnStatus) OnStatus(text);
}

void TUpdateCheck::SetDescription(const std::string& text) {
    if (OnDescription) OnDescription(text);
}

void TUpdateCheck::Log(const std::string& text) {
    if (OnLog) OnLog(LogTime() + " : " + text);
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
    if (Request.Server.empty()) {
        Log(Request.ServerProblem.empty() ? "No update server is set" : Request.ServerProblem);
        SetStatus("Connection failed");
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
    for (const std::string& fileName : Request.Files) {
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
    Http.FetchText(RemoteUrl(stem + ".dwl"), text);
    return OneLine(text);
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
        return true;
    };
    events.OnProgress = [&](int64_t received) {
        if (OnGaugeProgress) OnGaugeProgress(received);
    };
    const TFetchResult result = Http.Fetch(
        RemoteUrl(fileName),
        [&out](const char* data, size_t n) {
            out.write(data, static_cast<std::streamsize>(n));
            return static_cast<bool>(out);
        },
        events);
    out.close();
    const bool written = static_cast<bool>(out);

    if (skipped) {
        RemoveQuietly(part);
        Http.Disconnect();
        return;
    }
    if (CheckAbort()) {
        RemoveQuietly(part);
        return;
    }
    if (result.Outcome == TFetchOutcome::Done && written) {
        std::error_code error;
        fs::rename(part, target, error);
        if (!error) {
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
