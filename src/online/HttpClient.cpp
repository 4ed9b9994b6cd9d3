#include "online/HttpClient.h"

#include <curl/curl.h>
#include <string_view>
#include <strings.h>

const char* const HttpAccept = "text/html, */*";
const char* const HttpUserAgent = "Mozilla/3.0 (compatible; Quillon)";

namespace {

// What the callbacks of one fetch share.
struct TTransfer {
    CURL* Handle;
    const std::function<bool(const char*, size_t)>* Sink;
    const TFetchEvents* Events;
    const std::atomic<bool>* Stop;
    bool Started = false;
    bool Declined = false;
    bool ErrorStatus = false;
    bool Location = false; // the answer being read names a place to go on to
    int64_t Announced = -1;
    int64_t Received = 0;
    int64_t Reported = -1;
};

size_t OnHeader(char* data, size_t size, size_t count, void* user) {
    auto& t = *static_cast<TTransfer*>(user);
    const size_t n = size * count;
    // A line of its own ends one answer's headers; a redirect brings more answers.
    const bool end = (n == 2 && data[0] == '\r' && data[1] == '\n') || (n == 1 && data[0] == '\n');
    if (!end) {
        const std::string_view line(data, n);
        if (line.starts_with("HTTP/")) t.Location = false;
        if (line.size() > 9 && strncasecmp(data, "location:", 9) == 0) t.Location = true;
        return n;
    }
    long status = 0;
    curl_easy_getinfo(t.Handle, CURLINFO_RESPONSE_CODE, &status);
    if (status < 200) return n;                                // an interim answer (100 Continue)
    if (status >= 300 && status < 400 && t.Location) return n; // followed
    if (status >= 300) {
        t.ErrorStatus = true;
        return 0;
    }
    curl_off_t length = -1;
    curl_easy_getinfo(t.Handle, CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &length);
    t.Announced = length;
    t.Started = true;
    if (t.Events->OnStart && !t.Events->OnStart(t.Announced)) {
        t.Declined = true;
        return 0;
    }
    return n;
}

size_t OnBody(char* data, size_t size, size_t count, void* user) {
    auto& t = *static_cast<TTransfer*>(user);
    const size_t n = size * count;
    if (!t.Started || t.ErrorStatus) return 0;
    if (!(*t.Sink)(data, n)) {
        t.Declined = true;
        return 0;
    }
    t.Received += static_cast<int64_t>(n);
    return n;
}

int OnProgress(void* user, curl_off_t, curl_off_t, curl_off_t, curl_off_t) {
    auto& t = *static_cast<TTransfer*>(user);
    if (t.Stop->load()) return 1;
    if (t.Started && t.Received != t.Reported) {
        t.Reported = t.Received;
        if (t.Events->OnProgress) t.Events->OnProgress(t.Received);
    }
    return 0;
}

} // namespace

THttpClient::THttpClient(TNetTimeouts timeouts) : Timeouts(timeouts), Handle(NewCurlHandle()) {}

THttpClient::~THttpClient() = default;

void THttpClient::Configure(CURL* handle) const {
    curl_easy_setopt(handle, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(handle, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(handle, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(handle, CURLOPT_CONNECTTIMEOUT, Timeouts.ConnectSeconds);
    curl_easy_setopt(handle, CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(handle, CURLOPT_LOW_SPEED_TIME, Timeouts.StallSeconds);
}

bool THttpClient::Connect(const std::string& url, std::string& error) {
    IsConnected = false;
    TCurlHandle probe = NewCurlHandle();
    Configure(probe.get());
    curl_easy_setopt(probe.get(), CURLOPT_URL, url.c_str());
    curl_easy_setopt(probe.get(), CURLOPT_CONNECT_ONLY, 1L);
    const CURLcode result = curl_easy_perform(probe.get());
    if (result != CURLE_OK) {
        error = curl_easy_strerror(result);
        return false;
    }
    IsConnected = true;
    return true;
}

void THttpClient::Disconnect() {
    IsConnected = false;
    // A fresh handle keeps no connection of the old one for reuse.
    Handle = NewCurlHandle();
}

TFetchResult THttpClient::Fetch(const std::string& url, const std::function<bool(const char*, size_t)>& sink,
                                const TFetchEvents& events) {
    CURL* h = Handle.get();
    curl_easy_reset(h);
    Configure(h);
    TTransfer t{h, &sink, &events, &StopRequested};
    curl_slist* headers = curl_slist_append(nullptr, (std::string("Accept: ") + HttpAccept).c_str());
    curl_easy_setopt(h, CURLOPT_URL, url.c_str());
    curl_easy_setopt(h, CURLOPT_HTTPHEADER, headers);
    curl_easy_setopt(h, CURLOPT_USERAGENT, HttpUserAgent);
    curl_easy_setopt(h, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(h, CURLOPT_MAXREDIRS, 10L);
    curl_easy_setopt(h, CURLOPT_HEADERFUNCTION, OnHeader);
    curl_easy_setopt(h, CURLOPT_HEADERDATA, &t);
    curl_easy_setopt(h, CURLOPT_WRITEFUNCTION, OnBody);
    curl_easy_setopt(h, CURLOPT_WRITEDATA, &t);
    curl_easy_setopt(h, CURLOPT_NOPROGRESS, 0L);
    curl_easy_setopt(h, CURLOPT_XFERINFOFUNCTION, OnProgress);
    curl_easy_setopt(h, CURLOPT_XFERINFODATA, &t);
    const CURLcode code = curl_easy_perform(h);
    curl_slist_free_all(headers);
    curl_easy_setopt(h, CURLOPT_HTTPHEADER, nullptr);

    TFetchResult result;
    curl_easy_getinfo(h, CURLINFO_RESPONSE_CODE, &result.Status);
    result.Announced = t.Announced;
    result.Received = t.Received;
    if (code == CURLE_OK && t.Started) {
        if (events.OnProgress && t.Received != t.Reported) events.OnProgress(t.Received);
        // An answer shorter than it said it would be is not the file.
        if (t.Announced >= 0 && t.Received != t.Announced) {
            result.Error =
                "received " + std::to_string(t.Received) + " of " + std::to_string(t.Announced) + " bytes";
            return result;
        }
        result.Outcome = TFetchOutcome::Done;
        return result;
    }
    if (code == CURLE_ABORTED_BY_CALLBACK && StopRequested.load()) {
        result.Outcome = TFetchOutcome::Stopped;
        result.Error = "stopped";
    } else if (t.Declined) {
        result.Outcome = TFetchOutcome::Declined;
        result.Error = "declined";
    } else if (t.ErrorStatus || (code == CURLE_OK && result.Status >= 300)) {
        result.Outcome = TFetchOutcome::HttpError;
        result.Error = "HTTP status " + std::to_string(result.Status);
    } else if (code == CURLE_PARTIAL_FILE) {
        result.Error = "the transfer ended after " + std::to_string(t.Received) + " of " +
                       std::to_string(t.Announced) + " bytes";
    } else {
        result.Error = code == CURLE_OK ? "no answer" : curl_easy_strerror(code);
    }
    return result;
}

TFetchResult THttpClient::FetchText(const std::string& url, std::string& text, size_t limit) {
    text.clear();
    TFetchResult result = Fetch(url, [&text, limit](const char* data, size_t n) {
        if (text.size() + n > limit) return false;
        text.append(data, n);
        return true;
    });
    if (result.Outcome != TFetchOutcome::Done) text.clear();
    return result;
}
