#pragma once
// Shared pieces of the container, manager, resource and qarc tests: a scratch folder, file
// helpers and an archive interface that records what it was told and answers from a script.
#include "archive/ArchiveFile.h"
#include "archive/ArchiveUi.h"

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <deque>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <ostream>
#include <random>
#include <string>
#include <unistd.h>
#include <vector>

namespace archive_test {

namespace fs = std::filesystem;
using TBytes = std::vector<uint8_t>;

class TScratchDir {
public:
    TScratchDir() {
        static std::atomic<int> counter{0};
        Path = fs::temp_directory_path() /
               ("quillon-archive-test-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
        fs::remove_all(Path);
        fs::create_directories(Path);
    }
    ~TScratchDir() {
        std::error_code ec;
        // Read-only leftovers must not stop the clean-up.
        for (auto it = fs::recursive_directory_iterator(Path, ec);
             !ec && it != fs::recursive_directory_iterator(); it.increment(ec))
            fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ec);
        fs::remove_all(Path, ec);
    }
    TScratchDir(const TScratchDir&) = delete;
    TScratchDir& operator=(const TScratchDir&) = delete;

    fs::path operator/(const std::string& name) const { return Path / name; }
    // Names of everything in the folder, sorted.
    std::vector<std::string> Listing() const {
        std::vector<std::string> names;
        for (const auto& e : fs::directory_iterator(Path))
            names.push_back(e.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    fs::path Path;
};

// "51415243 4543..." -> bytes; spaces are ignored.
inline TBytes Hex(const std::string& hex) {
    TBytes out;
    std::string digits;
    for (char c : hex)
        if (c != ' ') digits.push_back(c);
    for (size_t i = 0; i + 1 < digits.size(); i += 2)
        out.push_back(static_cast<uint8_t>(std::stoul(digits.substr(i, 2), nullptr, 16)));
    return out;
}

inline void WriteFile(const fs::path& path, const TBytes& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

inline void WriteFile(const fs::path& path, const std::string& text) {
    WriteFile(path, TBytes(text.begin(), text.end()));
}

inline TBytes ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return TBytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Text-like bytes with some structure, so that blocks compress but are not trivial.
inline TBytes SampleBytes(size_t n, uint32_t seed) {
    std::mt19937 rng(seed);
    static const char words[][8] = {"week ", "money ", "game ", "sales ", "genre ", "RPG ", "1994\r\n", "; "};
    TBytes out;
    out.reserve(n);
    while (out.size() < n) {
        const char* w = words[rng() % 8];
        for (const char* p = w; *p && out.size() < n; ++p)
            out.push_back(static_cast<uint8_t>(*p));
        if (rng() % 5 == 0 && out.size() < n) out.push_back(static_cast<uint8_t>(rng()));
    }
    return out;
}

inline uint32_t ReadU32At(const TBytes& b, size_t at) {
    return uint32_t{b[at]} | uint32_t{b[at + 1]} << 8 | uint32_t{b[at + 2]} << 16 | uint32_t{b[at + 3]} << 24;
}

inline void WriteU32At(TBytes& b, size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i)
        b[at + static_cast<size_t>(i)] = static_cast<uint8_t>(v >> (8 * i));
}

// Reads an archive's directory straight from its file.
inline TCentralDir ReadDirectory(const fs::path& archive) {
    TArchiveFile f(archive.string(), TFileMode::OpenRead);
    f.OpenExisting();
    return f.CentralDir;
}

// Writes the archive again with the same data area and a directory changed by `edit`: the
// way to get stored names and numbers that the library itself would never write.
inline void RewriteDirectory(const fs::path& archive,
                             const std::function<void(std::vector<TCentralDirEntry>&)>& edit) {
    const TBytes bytes = ReadFile(archive);
    TCentralDir dir = ReadDirectory(archive);
    edit(dir.Entries);
    TArchiveFile out(archive.string(), TFileMode::Create);
    out.Write(bytes.data(), static_cast<size_t>(dir.DirOffset));
    out.CentralDir = dir;
    out.WriteCentralDir();
    out.Close();
}

struct TMessage {
    std::string Text;
    std::string Caption;
    bool operator==(const TMessage&) const = default;
};

// Readable failure output.
inline void PrintTo(const TMessage& m, std::ostream* os) {
    *os << "{\"" << m.Text << "\", \"" << m.Caption << "\"}";
}

class TRecordingUi : public TArchiveUi {
public:
    void ShowMessage(const std::string& text, const std::string& caption) override {
        Messages.push_back({text, caption});
    }
    TArchiveAnswer Ask(const std::string& text, const std::string& caption,
                       TArchiveButtons buttons) override {
        Questions.push_back({text, caption});
        QuestionButtons.push_back(buttons);
        if (Answers.empty()) return DefaultAnswer;
        const TArchiveAnswer a = Answers.front();
        Answers.pop_front();
        return a;
    }
    void SetBusy(bool busy) override { BusyChanges.push_back(busy); }
    void ProcessEvents() override {
        ++EventCalls;
        if (OnProcessEvents) OnProcessEvents();
    }

    bool Told(const std::string& text) const {
        for (const auto& m : Messages)
            if (m.Text == text) return true;
        return false;
    }

    std::vector<TMessage> Messages;
    std::vector<TMessage> Questions;
    std::vector<TArchiveButtons> QuestionButtons;
    std::deque<TArchiveAnswer> Answers;
    TArchiveAnswer DefaultAnswer = TArchiveAnswer::No;
    std::vector<bool> BusyChanges;
    int EventCalls = 0;
    std::function<void()> OnProcessEvents;
};

} // namespace archive_test
