#pragma once
// What the HTTP and FTP clients share: one start of the curl library per process, time-outs,
// and an owning handle.
#include <memory>
#include <string>

typedef void CURL;

struct TNetTimeouts {
    long ConnectSeconds = 20;
    // A transfer that moves less than one byte a second for this long is given up.
    long StallSeconds = 60;
};

struct TCurlDeleter {
    void operator()(CURL* handle) const;
};
using TCurlHandle = std::unique_ptr<CURL, TCurlDeleter>;

// A new easy handle, with the library started on first use. Throws std::runtime_error when
// curl cannot make one.
TCurlHandle NewCurlHandle();
// curl's text for one of its result codes.
std::string CurlErrorText(int code);
