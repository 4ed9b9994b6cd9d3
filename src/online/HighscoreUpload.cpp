#include "online/HighscoreUpload.h"

#include <cstdio>
#include <curl/curl.h>
#include <filesystem>

namespace fs = std::filesystem;

const char* const HighscoreFolder = "/docs/quillon/highs/";
const char* const HighscoreNoTlsText =
    "The highscore server offers no encrypted connection (FTP over TLS), so nothing was sent.";

namespace {

// The server's address as a URL of its login folder.
std::string ServerUrl(std::string host) {
    if (host.find("://") == std::string::npos) host = "ftp://" + host;
    if (host.back() != '/') host += '/';
    return host;
}

// A path from the server's root: "%2F" asks for "CWD /" before the folders.
std::string RootedPath(const std::string& folder) {
    std::string path = folder;
    while (!path.empty() && path.front() == '/')
        path.erase(0, 1);
    return "%2F" + path;
}

class TFtpSession {
public:
    explicit TFtpSession(const THighscoreAccount& account) : Handle(NewCurlHandle()) {
        CURL* h = Handle.get();
        curl_easy_setopt(h, CURLOPT_NOSIGNAL, 1L);
        curl_easy_setopt(h, CURLOPT_PROTOCOLS_STR, "ftp");
        curl_easy_setopt(h, CURLOPT_USERNAME, account.User.c_str());
        curl_easy_setopt(h, CURLOPT_PASSWORD, account.Password.c_str());
        curl_easy_setopt(h, CURLOPT_PROXY, "");
        // Explicit TLS on the ftp port, for the login and the data alike.
        curl_easy_setopt(h, CURLOPT_USE_SSL,
                         static_cast<long>(account.AllowPlainFtp ? CURLUSESSL_NONE : CURLUSESSL_ALL));
        curl_easy_setopt(h, CURLOPT_FTPSSLAUTH, static_cast<long>(CURLFTPAUTH_TLS));
        curl_easy_setopt(h, CURLOPT_SSL_VERIFYPEER, 1L);
        curl_easy_setopt(h, CURLOPT_SSL_VERIFYHOST, 2L);
        curl_easy_setopt(h, CURLOPT_SSLVERSION, static_cast<long>(CURL_SSLVERSION_TLSv1_2));
        if (!account.CaFile.empty()) curl_easy_setopt(h, CURLOPT_CAINFO, account.CaFile.c_str());
        SetTimeouts(h, account.Timeouts);
        curl_easy_setopt(h, CURLOPT_SERVER_RESPONSE_TIMEOUT, account.Timeouts.StallSeconds);
    }

    // Logs in (and, for a folder, changes to it) without moving any file.
    CURLcode Visit(const std::string& url) {
        CURL* h = Handle.get();
        curl_easy_setopt(h, CURLOPT_URL, url.c_str());
        curl_easy_setopt(h, CURLOPT_NOBODY, 1L);
        curl_easy_setopt(h, CURLOPT_UPLOAD, 0L);
        return curl_easy_perform(h);
    }

    CURLcode Store(const std::string& url, std::FILE* file, curl_off_t size) {
        CURL* h = Handle.get();
        curl_easy_setopt(h, CURLOPT_URL, url.c_str());
        curl_easy_setopt(h, CURLOPT_NOBODY, 0L);
        curl_easy_setopt(h, CURLOPT_UPLOAD, 1L);
        curl_easy_setopt(h, CURLOPT_APPEND, 0L);
        curl_easy_setopt(h, CURLOPT_READDATA, file);
        curl_easy_setopt(h, CURLOPT_INFILESIZE_LARGE, size);
        return curl_easy_perform(h);
    }

private:
    TCurlHandle Handle;
};

} // namespace

TScoreUploadResult UploadScoreRecord(const THighscoreAccount& account, const std::string& recordFile,
                                     const std::function<void(const std::string&)>& message) {
    TScoreUploadResult result;
    auto say = [&message](const std::string& text) {
        if (message) message(text);
    };
    auto failed = [&result](const std::string& detail) {
        result.RetryOffered = true;
        if (!detail.empty()) result.Detail = detail;
    };

    if (account.Host.empty()) {
        say("Could not Connected. Try again");
        failed("no high-score server is set");
        return result;
    }
    const std::string server = ServerUrl(account.Host);
    const std::string name = fs::path(recordFile).filename().string();
    try {
        // Closing the session at the end of this block disconnects.
        TFtpSession session(account);
        if (const CURLcode code = session.Visit(server); code != CURLE_OK) {
            say("Could not Connected. Try again");
            if (code == CURLE_USE_SSL_FAILED) say(HighscoreNoTlsText);
            failed(curl_easy_strerror(code));
            return result;
        }
        say("Connected");

        std::string target = server + RootedPath(HighscoreFolder) + name;
        if (const CURLcode code = session.Visit(server + RootedPath(HighscoreFolder)); code != CURLE_OK) {
            say("Could not find destination, Try uploading again.");
            failed(curl_easy_strerror(code));
            // The file still goes to the folder the server starts in.
            target = server + name;
        }

        say("Uploading...");
        std::error_code error;
        const auto size = fs::file_size(recordFile, error);
        std::FILE* file = error ? nullptr : std::fopen(recordFile.c_str(), "rb");
        const CURLcode code =
            file ? session.Store(target, file, static_cast<curl_off_t>(size)) : CURLE_READ_ERROR;
        if (file) std::fclose(file);
        if (code == CURLE_OK) {
            result.Stored = true;
            say("Uploading finished");
        } else {
            say("Could not Upload to highscore server, Try uploading again.");
            failed(file ? curl_easy_strerror(code) : "cannot read " + recordFile);
        }
    } catch (const std::exception& error) {
        // Only the network library's start can fail this way, before anything was sent.
        say("Could not Connected. Try again");
        failed(error.what());
        return result;
    }
    if (result.Stored && !result.RetryOffered) {
        std::error_code ignored;
        fs::remove(recordFile, ignored);
    }
    return result;
}
