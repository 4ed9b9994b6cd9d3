#include "online/HttpClient.h"

#include <arpa/inet.h>
#include <charconv>
#include <curl/curl.h>
#include <memory>
#include <string_view>
#include <strings.h>

const char* const HttpAccept = "text/html, */*";
const char* const HttpUserAgent = "Mozilla/3.0 (compatible; Quillon)";

namespace {

std::string LowerCase(std::string text) {
    for (char& c : text)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return text;
}

struct TUrlParts {
    bool Valid = false;
    std::string Scheme; // lowercase
    std::string Host;   // as curl gives it: lowercase names, IPv6 in brackets
    std::string Port;   // the default port of the scheme when none is written
};

TUrlParts SplitUrl(const std::string& url) {
    TUrlParts parts;
    std::unique_ptr<CURLU, void (*)(CURLU*)> handle(curl_url(), curl_url_cleanup);
    if (!handle || curl_url_set(handle.get(), CURLUPART_URL, url.c_str(), 0) != CURLUE_OK) return parts;
    auto get = [&handle](CURLUPart part, unsigned flags, std::string& value) {
        char* text = nullptr;
        if (curl_url_get(handle.get(), part, &text, flags) != CURLUE_OK) return false;
        value = text;
        curl_free(text);
        return true;
    };
    if (!get(CURLUPART_SCHEME, 0, parts.Scheme) || !get(CURLUPART_HOST, 0, parts.Host)) return parts;
    get(CURLUPART_PORT, CURLU_DEFAULT_PORT, parts.Port);
    parts.Scheme = LowerCase(parts.Scheme);
    parts.Host = LowerCase(parts.Host);
    parts.Valid = true;
    return parts;
}

bool IsLoopbackHost(const std::string& host) {
    if (host == "localhost" || host == "[::1]") return true;
    in_addr address{};
    if (inet_pton(AF_INET, host.c_str(), &address) != 1) return false;
    return (ntohl(address.s_addr) >> 24) == 127;
}

// Where a Location header leads from `base` (it may be relative); empty when it cannot be read.
std::string ResolveUrl(const std::string& base, const std::string& location) {
    std::unique_ptr<CURLU, void (*)(CURLU*)> handle(curl_url(), curl_url_cleanup);
    if (!handle || curl_url_set(handle.get(), CURLUPART_URL, base.c_str(), 0) != CURLUE_OK ||
        curl_url_set(handle.get(), CURLUPART_URL, location.c_str(), 0) != CURLUE_OK)
        return "";
    char* text = nullptr;
    if (curl_url_get(handle.get(), CURLUPART_URL, &text, 0) != CURLUE_OK) return "";
    std::string url = text;
    curl_free(text);
    return url;
}

// The protocols curl may speak for a fetch that starts at `url`.
const char* ProtocolsFor(const std::string& url) {
    const TUrlParts parts = SplitUrl(url);
    return parts.Scheme == "http" ? "http,https" : "https";
}

// What the callbacks of one fetch share.
struct TTransfer {
    CURL* Handle;
    const std::function<bool(const char*, size_t)>* Sink;
    const TFetchEvents* Events;
    const TFetchLimits* Limits;
    const std::atomic<bool>* Stop;
    bool Started = false;
    bool Declined = false;
    bool ErrorStatus = false;
    std::string Location{}; // where the answer being read sends us, as written
    bool BadLength = false; // its Content-Length is not one plain number
    int64_t Length = -1;    // its Content-Length
    std::string Refusal{};  // why the rules stopped the fetch
    int64_t Announced = -1;
    int64_t Received = 0;
    int64_t Reported = -1;
};

// A Content-Length value: digits only, and every copy of the header the same.
void ReadLength(TTransfer& t, std::string_view value) {
    while (!value.empty() && (value.front() == ' ' || value.front() == '\t'))
        value.remove_prefix(1);
    while (!value.empty() &&
           (value.back() == ' ' || value.back() == '\t' || value.back() == '\r' || value.back() == '\n'))
        value.remove_suffix(1);
    int64_t length = -1;
    const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), length);
    if (value.empty() || error != std::errc() || end != value.data() + value.size() || length < 0 ||
        (t.Length >= 0 && t.Length != length)) {
        t.BadLength = true;
        return;
    }
    t.Length = length;
}

size_t OnHeader(char* data, size_t size, size_t count, void* user) {
    auto& t = *static_cast<TTransfer*>(user);
    const size_t n = size * count;
    // A line of its own ends one answer's headers; a redirect brings more answers.
    const bool end = (n == 2 && data[0] == '\r' && data[1] == '\n') || (n == 1 && data[0] == '\n');
    if (!end) {
        const std::string_view line(data, n);
        if (line.starts_with("HTTP/")) {
            t.Location.clear();
            t.BadLength = false;
            t.Length = -1;
        }
        if (line.size() > 9 && strncasecmp(data, "location:", 9) == 0) {
            std::string_view value = line.substr(9);
            while (!value.empty() && (value.front() == ' ' || value.front() == '\t'))
                value.remove_prefix(1);
            while (!value.empty() && (value.back() == '\r' || value.back() == '\n' || value.back() == ' '))
                value.remove_suffix(1);
            t.Location = value;
        }
        if (line.size() > 15 && strncasecmp(data, "content-length:", 15) == 0) ReadLength(t, line.substr(15));
        return n;
    }
    long status = 0;
    curl_easy_getinfo(t.Handle, CURLINFO_RESPONSE_CODE, &status);
    if (status < 200) return n; // an interim answer (100 Continue)
    if (status >= 300 && status < 400 && !t.Location.empty()) {
        const char* from = nullptr;
        curl_easy_getinfo(t.Handle, CURLINFO_EFFECTIVE_URL, &from);
        const std::string origin = from ? from : "";
        const std::string target = ResolveUrl(origin, t.Location);
        t.Refusal =
            target.empty() ? "a redirect to an address that cannot be read" : RedirectProblem(origin, target);
        return t.Refusal.empty() ? n : 0;
    }
    if (status >= 300) {
        t.ErrorStatus = true;
        return 0;
    }
    const TFetchLimits& limits = *t.Limits;
    if (t.BadLength) {
        t.Refusal = "the server announced a size that is not a number";
        return 0;
    }
    if (t.Length > limits.MaxBytes) {
        t.Refusal = "the server announced " + std::to_string(t.Length) + " bytes, more than the " +
                    std::to_string(limits.MaxBytes) + " allowed";
        return 0;
    }
    if (t.Length < 0 && limits.RequireLength) {
        t.Refusal = "the server announced no size";
        return 0;
    }
    t.Announced = t.Length;
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
    const int64_t total = t.Received + static_cast<int64_t>(n);
    if (t.Announced >= 0 && total > t.Announced) {
        t.Refusal = "the body is longer than the " + std::to_string(t.Announced) + " bytes announced";
        return 0;
    }
    if (total > t.Limits->MaxBytes) {
        t.Refusal = "the body is longer than the " + std::to_string(t.Limits->MaxBytes) + " bytes allowed";
        return 0;
    }
    if (!(*t.Sink)(data, n)) {
        t.Declined = true;
        return 0;
    }
    t.Received = total;
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

std::string TransportProblem(const std::string& url) {
    const TUrlParts parts = SplitUrl(url);
    if (!parts.Valid) return "the address cannot be read";
    if (parts.Scheme == "https") return "";
    if (parts.Scheme == "http" && IsLoopbackHost(parts.Host)) return "";
    if (parts.Scheme == "http") return "plain http is only allowed for a server on this machine; use https";
    return "only https is allowed";
}

std::string RedirectProblem(const std::string& from, const std::string& to) {
    if (const std::string problem = TransportProblem(to); !problem.empty())
        return "a redirect to " + to + " is refused: " + problem;
    const TUrlParts target = SplitUrl(to);
    if (target.Scheme == "https") return "";
    const TUrlParts origin = SplitUrl(from);
    if (origin.Scheme == "http" && origin.Host == target.Host && origin.Port == target.Port) return "";
    return "a redirect to " + to + " is refused: it leaves https or the server on this machine";
}

THttpClient::THttpClient(TNetTimeouts timeouts, std::string caFile)
    : Timeouts(timeouts), CaFile(std::move(caFile)), Handle(NewCurlHandle()) {}

THttpClient::~THttpClient() = default;

void THttpClient::Configure(CURL* handle, const std::string& url) const {
    curl_easy_setopt(handle, CURLOPT_NOSIGNAL, 1L);
    const char* protocols = ProtocolsFor(url);
    curl_easy_setopt(handle, CURLOPT_PROTOCOLS_STR, protocols);
    curl_easy_setopt(handle, CURLOPT_REDIR_PROTOCOLS_STR, protocols);
    curl_easy_setopt(handle, CURLOPT_SSL_VERIFYPEER, 1L);
    curl_easy_setopt(handle, CURLOPT_SSL_VERIFYHOST, 2L);
    curl_easy_setopt(handle, CURLOPT_SSLVERSION, static_cast<long>(CURL_SSLVERSION_TLSv1_2));
    if (!CaFile.empty()) curl_easy_setopt(handle, CURLOPT_CAINFO, CaFile.c_str());
    curl_easy_setopt(handle, CURLOPT_PROXY, "");
    SetTimeouts(handle, Timeouts);
}

bool THttpClient::Connect(const std::string& url, std::string& error) {
    IsConnected = false;
    if (const std::string problem = TransportProblem(url); !problem.empty()) {
        error = problem;
        return false;
    }
    TCurlHandle probe = NewCurlHandle();
    Configure(probe.get(), url);
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
                                const TFetchLimits& limits, const TFetchEvents& events) {
    TFetchResult result;
    if (const std::string problem = TransportProblem(url); !problem.empty()) {
        result.Outcome = TFetchOutcome::Refused;
        result.Error = problem;
        return result;
    }
    CURL* h = Handle.get();
    curl_easy_reset(h);
    Configure(h, url);
    TTransfer t{h, &sink, &events, &limits, &StopRequested};
    curl_slist* headers = curl_slist_append(nullptr, (std::string("Accept: ") + HttpAccept).c_str());
    // The body runs until the server closes, so that one longer than its Content-Length is
    // seen (curl would stop at the length and drop the rest unseen).
    headers = curl_slist_append(headers, "Connection: close");
    curl_easy_setopt(h, CURLOPT_URL, url.c_str());
    curl_easy_setopt(h, CURLOPT_HTTP_VERSION, static_cast<long>(CURL_HTTP_VERSION_1_1));
    curl_easy_setopt(h, CURLOPT_IGNORE_CONTENT_LENGTH, 1L);
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
    } else if (!t.Refusal.empty()) {
        result.Outcome = TFetchOutcome::Refused;
        result.Error = t.Refusal;
    } else if (code == CURLE_UNSUPPORTED_PROTOCOL || code == CURLE_TOO_MANY_REDIRECTS) {
        result.Outcome = TFetchOutcome::Refused;
        result.Error = curl_easy_strerror(code);
    } else if (t.Declined) {
        result.Outcome = TFetchOutcome::Declined;
        result.Error = "declined";
    } else if (t.ErrorStatus || (code == CURLE_OK && result.Status >= 300)) {
        result.Outcome = TFetchOutcome::HttpError;
        result.Error = "HTTP status " + std::to_string(result.Status);
    } else if (code == CURLE_OPERATION_TIMEDOUT) {
        result.Error =
            "the transfer was too slow or took too long (" + std::to_string(t.Received) + " bytes received)";
    } else {
        result.Error = code == CURLE_OK ? "no answer" : curl_easy_strerror(code);
    }
    return result;
}

TFetchResult THttpClient::FetchText(const std::string& url, std::string& text, size_t limit) {
    text.clear();
    TFetchLimits limits;
    limits.MaxBytes = static_cast<int64_t>(limit);
    TFetchResult result = Fetch(
        url,
        [&text](const char* data, size_t n) {
            text.append(data, n);
            return true;
        },
        limits);
    if (result.Outcome != TFetchOutcome::Done) text.clear();
    return result;
}
