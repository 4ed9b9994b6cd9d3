#pragma once
// Small helpers shared by the codec tests.
#include "archive/ArchiveUi.h"

#include <cstdint>
#include <filesystem>
#include <random>
#include <string>
#include <system_error>
#include <utility>
#include <vector>

namespace CodecTest {

inline std::string Hex(const uint8_t* p, size_t n) {
    static const char digits[] = "0123456789abcdef";
    std::string s;
    for (size_t i = 0; i < n; ++i) {
        s += digits[p[i] >> 4];
        s += digits[p[i] & 15];
    }
    return s;
}
inline std::string Hex(const std::vector<uint8_t>& v) {
    return Hex(v.data(), v.size());
}

inline std::vector<uint8_t> Bytes(const std::string& s) {
    return {s.begin(), s.end()};
}

inline std::vector<uint8_t> RandomBytes(size_t n, uint32_t seed, int alphabet = 256) {
    std::mt19937 rng(seed);
    std::uniform_int_distribution<int> pick(0, alphabet - 1);
    std::vector<uint8_t> v(n);
    for (auto& b : v)
        b = static_cast<uint8_t>(pick(rng));
    return v;
}

// Records every message box instead of showing it.
class TRecordingUi : public TArchiveUi {
public:
    void ShowMessage(const std::string& text, const std::string& caption) override {
        Messages.emplace_back(text, caption);
    }
    TArchiveAnswer Ask(const std::string&, const std::string&, TArchiveButtons) override {
        return TArchiveAnswer::No;
    }
    void ProcessEvents() override { ++EventsProcessed; }
    std::vector<std::pair<std::string, std::string>> Messages;
    int EventsProcessed = 0;
};

// A fresh folder under the system temp folder, removed with everything in it afterwards.
class TTempDir {
public:
    TTempDir() {
        std::random_device rd;
        Path = std::filesystem::temp_directory_path() /
               ("quillon-codec-" + std::to_string(rd()) + "-" + std::to_string(rd()));
        std::filesystem::create_directories(Path);
    }
    ~TTempDir() {
        std::error_code ec;
        std::filesystem::remove_all(Path, ec);
    }
    TTempDir(const TTempDir&) = delete;
    TTempDir& operator=(const TTempDir&) = delete;
    std::string File(const std::string& name) const { return (Path / name).string(); }
    std::filesystem::path Path;
};

} // namespace CodecTest
