#pragma once
// The HTTP(S) client of the update check: a connection test, and fetches that tell their
// start (with the size the server announces), their progress and their end. Only https is
// used, but for a server on this machine (127.0.0.0/8, ::1, localhost), which may use http;
// redirects are followed only where the same rule allows the first address, and plain http
// only onto the very same loopback server. One client is used by one thread at a time;
// StopRequested may be set from any.
#include <atomic>
#include <cstdint>
#include <functional>
#include <string>

#include "online/Curl.h"

extern const char* const HttpAccept;    // "text/html, */*"
extern const char* const HttpUserAgent; // "Mozilla/3.0 (compatible; Quillon)"

// Why the address may not be fetched from (empty when it may): not https, unless plain http
// to this machine.
std::string TransportProblem(const std::string& url);
// Why a redirect from `from` to `to` may not be followed (empty when it may): the target must
// pass TransportProblem, and a target in plain http must be the same loopback server (scheme,
// host and port) as `from`.
std::string RedirectProblem(const std::string& from, const std::string& to);

enum class TFetchOutcome {
    Done,      // the whole body arrived
    HttpError, // the server answered with an error status (404 and the like)
    Declined,  // OnStart or the sink said no
    Stopped,   // StopRequested was set
    Refused,   // the address, a redirect, the announced size or the body broke the rules
    Failed,    // no answer, a broken or short transfer, a time-out
};

struct TFetchResult {
    TFetchOutcome Outcome = TFetchOutcome::Failed;
    long Status = 0;        // the final HTTP status, 0 when none came
    int64_t Announced = -1; // Content-Length of the final answer, -1 when none
    int64_t Received = 0;   // body bytes taken in
    std::string Error;      // what went wrong, for a log (may quote the server: clean it)
};

struct TFetchLimits {
    // No body may be longer; an announced size above it is refused before any byte is taken.
    int64_t MaxBytes = 64 * 1024;
    // An answer that announces no size is refused.
    bool RequireLength = false;
};

struct TFetchEvents {
    // The final answer's headers are in: `announced` is its size (-1 when unknown). False
    // declines the body.
    std::function<bool(int64_t announced)> OnStart;
    // Body bytes so far.
    std::function<void(int64_t received)> OnProgress;
};

class THttpClient {
public:
    // `caFile`, when not empty, is the only certificate authority trusted (for tests).
    explicit THttpClient(TNetTimeouts timeouts = {}, std::string caFile = {});
    ~THttpClient();
    THttpClient(const THttpClient&) = delete;
    THttpClient& operator=(const THttpClient&) = delete;

    // Opens a connection to the server of `url` (and its TLS session for https). False with
    // the reason in `error` when the server cannot be reached or may not be used.
    bool Connect(const std::string& url, std::string& error);
    bool Connected() const { return IsConnected; }
    // Drops the connection (and any kept for reuse).
    void Disconnect();

    // Fetches `url`, handing the body to `sink` piece by piece (false from the sink stops it).
    // A body longer than its announced size, or than the limit, is refused as it arrives.
    TFetchResult Fetch(const std::string& url, const std::function<bool(const char*, size_t)>& sink,
                       const TFetchLimits& limits, const TFetchEvents& events = {});
    // Fetches a small text into memory; a body above `limit` bytes is refused.
    TFetchResult FetchText(const std::string& url, std::string& text, size_t limit = 64 * 1024);

    // Set from any thread: the running fetch ends soon with TFetchOutcome::Stopped.
    std::atomic<bool> StopRequested{false};

private:
    void Configure(CURL* handle, const std::string& url) const;

    TNetTimeouts Timeouts;
    std::string CaFile;
    TCurlHandle Handle;
    bool IsConnected = false;
};
