#pragma once
// The HTTP(S) client of the update check: a connection test, and fetches that tell their
// start (with the size the server announces), their progress and their end. Redirects are
// followed. One client is used by one thread at a time; StopRequested may be set from any.
#include <atomic>
#include <cstdint>
#include <functional>
#include <string>

#include "online/Curl.h"

extern const char* const HttpAccept;    // "text/html, */*"
extern const char* const HttpUserAgent; // "Mozilla/3.0 (compatible; Quillon)"

enum class TFetchOutcome {
    Done,      // the whole body arrived
    HttpError, // the server answered with an error status (404 and the like)
    Declined,  // OnStart or the sink said no
    Stopped,   // StopRequested was set
    Failed,    // no answer, a broken or short transfer, a time-out
};

struct TFetchResult {
    TFetchOutcome Outcome = TFetchOutcome::Failed;
    long Status = 0;        // the final HTTP status, 0 when none came
    int64_t Announced = -1; // Content-Length of the final answer, -1 when none
    int64_t Received = 0;   // body bytes taken in
    std::string Error;      // what went wrong, for a log
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
    explicit THttpClient(TNetTimeouts timeouts = {});
    ~THttpClient();
    THttpClient(const THttpClient&) = delete;
    THttpClient& operator=(const THttpClient&) = delete;

    // Opens a connection to the server of `url` (and its TLS session for https). False with
    // the reason in `error` when the server cannot be reached.
    bool Connect(const std::string& url, std::string& error);
    bool Connected() const { return IsConnected; }
    // Drops the connection (and any kept for reuse).
    void Disconnect();

    // Fetches `url`, handing the body to `sink` piece by piece (false from the sink stops it).
    TFetchResult Fetch(const std::string& url, const std::function<bool(const char*, size_t)>& sink,
                       const TFetchEvents& events = {});
    // Fetches a small text into memory; more than `limit` bytes make it fail.
    TFetchResult FetchText(const std::string& url, std::string& text, size_t limit = 64 * 1024);

    // Set from any thread: the running fetch ends soon with TFetchOutcome::Stopped.
    std::atomic<bool> StopRequested{false};

private:
    void Configure(CURL* handle) const;

    TNetTimeouts Timeouts;
    TCurlHandle Handle;
    bool IsConnected = false;
};
