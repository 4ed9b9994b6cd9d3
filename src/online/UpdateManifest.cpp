#include "online/UpdateManifest.h"

#include <charconv>
#include <sstream>

#include "state/TextFields.h"

const char* const ManifestName = "manifest.txt";
const char* const ManifestSignatureName = "manifest.sig";
const char* const ManifestHeader = "QUILLON-UPDATES 1";

namespace {

std::vector<std::string> Words(const std::string& line) {
    std::vector<std::string> words;
    std::istringstream in(line);
    for (std::string word; in >> word;)
        words.push_back(word);
    return words;
}

bool IsPlainName(const std::string& name) {
    if (name.empty() || name.size() > 64 || name.find_first_not_of('.') == std::string::npos) return false;
    for (unsigned char c : name)
        if (!(std::isalnum(c) || c == '.' || c == '-' || c == '_')) return false;
    return true;
}

bool IsDigest(const std::string& text) {
    if (text.size() != 64) return false;
    for (char c : text)
        if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'))) return false;
    return true;
}

std::vector<long> VersionNumbers(const std::string& text) {
    std::vector<long> numbers;
    size_t start = 0;
    while (start <= text.size()) {
        const size_t dot = text.find('.', start);
        const std::string part =
            text.substr(start, dot == std::string::npos ? std::string::npos : dot - start);
        long value = -1;
        if (part.empty() || part.size() > 9 || part.find_first_not_of("0123456789") != std::string::npos)
            return {};
        std::from_chars(part.data(), part.data() + part.size(), value);
        numbers.push_back(value);
        if (dot == std::string::npos) break;
        start = dot + 1;
    }
    return numbers;
}

} // namespace

const TManifestEntry* TManifest::Find(const std::string& name) const {
    for (const TManifestEntry& entry : Entries)
        if (UpperCase(entry.Name) == UpperCase(name)) return &entry;
    return nullptr;
}

bool IsVersion(const std::string& text) {
    const std::vector<long> numbers = VersionNumbers(text);
    return !numbers.empty() && numbers.size() <= 4;
}

int CompareVersions(const std::string& a, const std::string& b) {
    const std::vector<long> x = VersionNumbers(a);
    const std::vector<long> y = VersionNumbers(b);
    for (size_t i = 0; i < std::max(x.size(), y.size()); ++i) {
        const long p = i < x.size() ? x[i] : 0;
        const long q = i < y.size() ? y[i] : 0;
        if (p != q) return p < q ? -1 : 1;
    }
    return 0;
}

std::optional<TManifest> ParseManifest(const std::string& text, int64_t sizeCeiling, std::string& problem) {
    TManifest manifest;
    std::istringstream in(text);
    int number = 0;
    bool headerSeen = false;
    for (std::string line; std::getline(in, line);) {
        ++number;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        const std::string where = std::string(ManifestName) + " line " + std::to_string(number) + ": ";
        if (!headerSeen) {
            if (line != ManifestHeader) {
                problem = where + "it does not start with " + ManifestHeader;
                return std::nullopt;
            }
            headerSeen = true;
            continue;
        }
        const std::vector<std::string> words = Words(line);
        if (words.empty()) continue;
        if (words.size() != 4) {
            problem = where + "a file needs a name, a size, a SHA-256 and a version";
            return std::nullopt;
        }
        TManifestEntry entry;
        entry.Name = words[0];
        if (!IsPlainName(entry.Name)) {
            problem = where + "the name is not a plain file name";
            return std::nullopt;
        }
        if (manifest.Find(entry.Name)) {
            problem = where + entry.Name + " is listed twice";
            return std::nullopt;
        }
        const std::string& size = words[1];
        const auto [end, error] = std::from_chars(size.data(), size.data() + size.size(), entry.Size);
        if (error != std::errc() || end != size.data() + size.size() || entry.Size < 0 ||
            entry.Size > sizeCeiling) {
            problem = where + "the size of " + entry.Name + " is not a number from 0 to " +
                      std::to_string(sizeCeiling);
            return std::nullopt;
        }
        entry.Sha256 = words[2];
        if (!IsDigest(entry.Sha256)) {
            problem = where + "the SHA-256 of " + entry.Name + " is not 64 lowercase hex digits";
            return std::nullopt;
        }
        entry.Version = words[3];
        if (!IsVersion(entry.Version)) {
            problem = where + "the version of " + entry.Name + " is not a version";
            return std::nullopt;
        }
        manifest.Entries.push_back(entry);
    }
    if (!headerSeen) {
        problem = std::string(ManifestName) + " is empty";
        return std::nullopt;
    }
    return manifest;
}

std::string ManifestText(const std::vector<TManifestEntry>& entries) {
    std::string text = std::string(ManifestHeader) + "\n";
    for (const TManifestEntry& entry : entries)
        text +=
            entry.Name + " " + std::to_string(entry.Size) + " " + entry.Sha256 + " " + entry.Version + "\n";
    return text;
}
