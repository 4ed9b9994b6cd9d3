#include "state/TextFields.h"

#include <algorithm>
#include <array>
#include <filesystem>
#include <fnmatch.h>
#include <stdexcept>
#include <system_error>

namespace fs = std::filesystem;

std::string PadRight(std::string_view text, int width, char fill) {
    std::string result(text);
    if (static_cast<int>(text.size()) < width)
        result.append(static_cast<size_t>(width) - text.size() + 1, fill);
    return result;
}

std::string FitColumn(std::string_view text, int width, char fill) {
    const int length = static_cast<int>(text.size());
    if (length <= width)
        return std::string(text) + std::string(static_cast<size_t>(width - length + 1), fill);
    return std::string(text.substr(0, static_cast<size_t>(std::max(width - 1, 0)))) + "..";
}

std::string FieldAt(std::string_view separator, std::string_view text, int index) {
    if (separator.empty() || text.find(separator) == std::string_view::npos) return "";
    std::string_view rest = text;
    for (int i = 0; i < index; ++i) {
        // Removing a field cuts through its separator; with no separator left, a longer
        // separator still eats all but one of its length from the front (the old behaviour
        // the data files were written against), a one-character one eats nothing.
        const size_t pos = rest.find(separator);
        const size_t cut = pos == std::string_view::npos ? separator.size() - 1 : pos + separator.size();
        rest.remove_prefix(std::min(cut, rest.size()));
    }
    const size_t pos = rest.find(separator);
    return std::string(pos == std::string_view::npos ? rest : rest.substr(0, pos));
}

std::string FieldNumber(std::string_view text, int number, std::string_view separator) {
    if (separator.empty()) return "";
    const std::string extended = std::string(text) + std::string(separator);
    size_t start = 0;
    for (int i = 1; i < number; ++i) {
        const size_t pos = extended.find(separator, start);
        if (pos == std::string::npos) return "";
        start = pos + separator.size();
    }
    const size_t pos = extended.find(separator, start);
    return pos == std::string::npos ? "" : extended.substr(start, pos - start);
}

int CountFields(std::string_view text, std::string_view separator) {
    if (separator.empty()) return 0;
    std::string extended = std::string(text) + std::string(separator);
    if (separator == " ") {
        std::string collapsed;
        for (char c : extended)
            if (c != ' ' || collapsed.empty() || collapsed.back() != ' ') collapsed += c;
        extended = collapsed;
    }
    int count = 0;
    for (size_t pos = extended.find(separator); pos != std::string::npos;
         pos = extended.find(separator, pos + separator.size()))
        ++count;
    return count;
}

std::string RemoveChar(std::string_view text, char c) {
    std::string result;
    for (char x : text)
        if (x != c) result += x;
    return result;
}

bool ContainsText(std::string_view text, std::string_view part) {
    return !text.empty() && !part.empty() && text.size() >= part.size() &&
           text.find(part) != std::string_view::npos;
}

namespace {
// Upper-case map of the single-byte code page the game's text is in.
const std::array<unsigned char, 256>& UpperMap() {
    static const std::array<unsigned char, 256> map = [] {
        std::array<unsigned char, 256> m{};
        for (int c = 0; c < 256; ++c)
            m[c] = static_cast<unsigned char>(c);
        for (int c = 'a'; c <= 'z'; ++c)
            m[c] = static_cast<unsigned char>(c - 32);
        for (int c = 0xE0; c <= 0xFE; ++c)
            if (c != 0xF7) m[c] = static_cast<unsigned char>(c - 32);
        m[0x9A] = 0x8A;
        m[0x9C] = 0x8C;
        m[0x9E] = 0x8E;
        m[0xFF] = 0x9F;
        return m;
    }();
    return map;
}
} // namespace

std::string UpperCase(std::string_view text) {
    const auto& up = UpperMap();
    std::string result(text);
    for (char& c : result)
        c = static_cast<char>(up[static_cast<unsigned char>(c)]);
    return result;
}

std::string Trim(std::string_view text) {
    size_t first = 0, last = text.size();
    while (first < last && static_cast<unsigned char>(text[first]) <= ' ')
        ++first;
    while (last > first && static_cast<unsigned char>(text[last - 1]) <= ' ')
        --last;
    return std::string(text.substr(first, last - first));
}

int FindText(std::string_view pattern, std::string_view text, bool caseSensitive, bool forward,
             int startPos) {
    if (startPos < 0 || (forward && startPos < 1))
        throw std::invalid_argument("FindText: start position below 1");
    const auto& up = UpperMap();
    auto fold = [&](char c) {
        const auto u = static_cast<unsigned char>(c);
        return caseSensitive ? u : up[u];
    };
    const long m = static_cast<long>(pattern.size());
    const long n = static_cast<long>(text.size());
    if (m == 0 || m > n) return 0;
    auto matchesAt = [&](long at) {
        for (long k = m - 1; k >= 0; --k)
            if (fold(text[static_cast<size_t>(at + k)]) != fold(pattern[static_cast<size_t>(k)]))
                return false;
        return true;
    };
    if (forward) {
        std::array<long, 256> skip;
        skip.fill(m);
        for (long i = 0; i < m - 1; ++i)
            skip[fold(pattern[static_cast<size_t>(i)])] = m - 1 - i;
        for (long at = startPos - 1; at + m <= n; at += skip[fold(text[static_cast<size_t>(at + m - 1)])])
            if (matchesAt(at)) return static_cast<int>(at + 1);
        return 0;
    }
    long at = (startPos == 0 || startPos - 1 > n - m) ? n - m : startPos - 1;
    for (; at >= 0; --at)
        if (matchesAt(at)) return static_cast<int>(at + 1);
    return 0;
}

std::string AppDirectory() {
    std::error_code error;
    const fs::path exe = fs::read_symlink("/proc/self/exe", error);
    if (error) return "./";
    return WithBackslash(exe.parent_path().string());
}

std::string WithBackslash(std::string_view directory) {
    std::string result(directory);
    if (result.empty() || result.back() != '/') result += '/';
    return result;
}

std::vector<std::string> ListFiles(std::string_view directory, std::string_view mask) {
    std::vector<std::string> names;
    std::error_code error;
    // "*.*" is every file, with or without a dot in its name.
    const std::string pattern = mask == "*.*" ? std::string("*") : std::string(mask);
    for (const auto& entry : fs::directory_iterator(WithBackslash(directory), error)) {
        if (entry.is_directory(error)) continue;
        const std::string name = entry.path().filename().string();
        if (fnmatch(pattern.c_str(), name.c_str(), FNM_CASEFOLD) == 0) names.push_back(name);
    }
    std::sort(names.begin(), names.end());
    return names;
}

long long FileSizeOf(const std::string& fileName) {
    std::error_code error;
    const auto size = fs::file_size(fs::absolute(LocalPath(fileName), error), error);
    return error ? -1 : static_cast<long long>(size);
}

std::string FindFileNoCase(const std::string& directory, const std::string& name) {
    std::error_code error;
    if (fs::exists(fs::path(directory) / name, error)) return name;
    const std::string wanted = UpperCase(name);
    for (const auto& entry : fs::directory_iterator(directory, error)) {
        const std::string candidate = entry.path().filename().string();
        if (UpperCase(candidate) == wanted) return candidate;
    }
    return "";
}

std::string LocalPath(std::string_view storedName) {
    std::string path(storedName);
    for (char& c : path)
        if (c == '\\') c = '/';
    return path;
}
