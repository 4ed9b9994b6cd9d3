#pragma once
// Sending a score record to the high-score FTP server: connect and log in, change to the
// high-score folder, store the file under its own name, disconnect. Every step reports the
// message the score panel lists. The session is FTP over TLS, required before the login, so
// the password never crosses the network in clear; plain FTP only when the account allows it.
#include <functional>
#include <string>

#include "online/Curl.h"

extern const char* const HighscoreFolder; // "/docs/quillon/highs/"
// What the score panel is told when the server cannot speak TLS.
extern const char* const HighscoreNoTlsText;

struct THighscoreAccount {
    std::string Host; // host or host:port (an "ftp://" in front is allowed)
    std::string User;
    std::string Password;
    TNetTimeouts Timeouts;
    // Log in without TLS: the password goes in clear (a setting of its own in online.cfg).
    bool AllowPlainFtp = false;
    // The only certificate authority trusted when not empty (tests); else the system's.
    std::string CaFile;
};

struct TScoreUploadResult {
    bool Stored = false;       // the server took the file
    bool RetryOffered = false; // "Upload Score" is enabled again: the record was kept for it
    std::string Detail;        // the network library's reason for a failure, for a log
};

// Uploads the score record `recordFile` under its file name. The local record is deleted
// when the upload went through without a retry being offered, and kept otherwise, so that
// pressing "Upload Score" again has something to send.
TScoreUploadResult UploadScoreRecord(const THighscoreAccount& account, const std::string& recordFile,
                                     const std::function<void(const std::string&)>& message);
