#include "online/Curl.h"

#include <curl/curl.h>
#include <mutex>
#include <stdexcept>

void TCurlDeleter::operator()(CURL* handle) const {
    curl_easy_cleanup(handle);
}

TCurlHandle NewCurlHandle() {
    // The library's global start is not safe to race with threads that use it, so it runs once.
    static std::once_flag started;
    static CURLcode startResult = CURLE_OK;
    std::call_once(started, [] { startResult = curl_global_init(CURL_GLOBAL_DEFAULT); });
    if (startResult != CURLE_OK)
        throw std::runtime_error(std::string("Cannot start the network library: ") +
                                 curl_easy_strerror(startResult));
    CURL* handle = curl_easy_init();
    if (!handle) throw std::runtime_error("Cannot start the network library.");
    return TCurlHandle(handle);
}

void SetTimeouts(CURL* handle, const TNetTimeouts& timeouts) {
    curl_easy_setopt(handle, CURLOPT_CONNECTTIMEOUT, timeouts.ConnectSeconds);
    curl_easy_setopt(handle, CURLOPT_LOW_SPEED_LIMIT, timeouts.MinBytesPerSecond);
    curl_easy_setopt(handle, CURLOPT_LOW_SPEED_TIME, timeouts.StallSeconds);
    curl_easy_setopt(handle, CURLOPT_TIMEOUT, timeouts.TotalSeconds);
}

std::string CurlErrorText(int code) {
    return curl_easy_strerror(static_cast<CURLcode>(code));
}
