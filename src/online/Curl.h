#pragma once
// What the HTTP and FTP clients share: one start of the curl library per process, time-outs,
// and an owning handle.
#include <memory>
#include <string>

typedef void CURL;

struct TNetTimeouts {
    long ConnectSeconds = 20;
    // A transfer that moves less than MinBytesPerSecond for StallSeconds is given up: a server
    // that trickles a byte at a time must not hold the player for ever.
    long StallSeconds = 60;
    long MinBytesPerSecond = 512;
    // No transfer takes longer than this, however steadily it moves.
    long TotalSeconds = 900;
};

struct TCurlDeleter {
    void operator()(CURL* handle) const;
};
using TCurlHandle = std::unique_ptr<CURL, TCurlDeleter>;

// A new easy handle, with the library started on first use. Throws std::runtime_error when
// curl cannot make one.
TCurlHandle NewCurlHandle();
// Sets the time limits of one handle.
void SetTimeouts(CURL* handle, const TNetTimeouts& timeouts);
// curl's text for one of its result codes.
std::string CurlErrorText(int code);
