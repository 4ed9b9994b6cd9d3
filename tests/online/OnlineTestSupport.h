#pragma once
// Test servers run by Debian's own Python (the one with python3-pyftpdlib), each on
// 127.0.0.1 and a port the system picks, and folders that go away after the test.
#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <netinet/in.h>
#include <spawn.h>
#include <sstream>
#include <string>
#include <sys/socket.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

#include "archive/ArchiveManager.h"
#include "archive/ArchiveUi.h"
#include "archive/Resource.h"
#include "online/Signing.h"
#include "online/UpdateManifest.h"

extern char** environ;

namespace online_test {

namespace fs = std::filesystem;

inline const char* const Python = "/usr/bin/python3";

inline std::string ReadFile(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

inline void WriteFile(const fs::path& file, const std::string& bytes) {
    fs::create_directories(file.parent_path());
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out << bytes;
}

// Bytes that differ from one position to the next, so a shifted or cut copy never matches.
inline std::string Pattern(size_t size, unsigned seed) {
    std::string bytes(size, '\0');
    unsigned x = seed * 2654435761u + 1;
    for (char& c : bytes) {
        x = x * 1103515245u + 12345u;
        c = static_cast<char>(x >> 24);
    }
    return bytes;
}

// Compares file contents without printing kilobytes of binary on a mismatch.
inline ::testing::AssertionResult HoldsBytes(const fs::path& file, const std::string& expected) {
    if (!fs::exists(file)) return ::testing::AssertionFailure() << file << " does not exist";
    const std::string actual = ReadFile(file);
    if (actual == expected) return ::testing::AssertionSuccess();
    size_t at = 0;
    while (at < actual.size() && at < expected.size() && actual[at] == expected[at])
        ++at;
    return ::testing::AssertionFailure() << file << " holds " << actual.size() << " bytes, expected "
                                         << expected.size() << ", first difference at " << at;
}

class TTempFolder {
public:
    TTempFolder() {
        std::string pattern = (fs::temp_directory_path() / "quillon-online-XXXXXX").string();
        if (!mkdtemp(pattern.data())) throw std::runtime_error("cannot create a temporary folder");
        Path = pattern;
    }
    ~TTempFolder() {
        std::error_code ignored;
        fs::permissions(Path, fs::perms::owner_all, fs::perm_options::add, ignored);
        fs::remove_all(Path, ignored);
    }
    TTempFolder(const TTempFolder&) = delete;
    TTempFolder& operator=(const TTempFolder&) = delete;
    fs::path Path;
};

// A port on 127.0.0.1 where nothing listens: the system hands it out and it is closed again.
inline int UnusedPort() {
    const int s = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = 0;
    socklen_t length = sizeof address;
    bind(s, reinterpret_cast<sockaddr*>(&address), sizeof address);
    getsockname(s, reinterpret_cast<sockaddr*>(&address), &length);
    close(s);
    return ntohs(address.sin_port);
}

// A server script started with its arguments plus --port-file; stopped by its process id.
class TServerProcess {
public:
    TServerProcess(const std::string& script, std::vector<std::string> args, const fs::path& folder) {
        const fs::path portFile = folder / "port";
        args.insert(args.begin(), {Python, script, "--port-file", portFile.string()});
        std::vector<char*> argv;
        for (std::string& a : args)
            argv.push_back(a.data());
        argv.push_back(nullptr);
        if (posix_spawn(&Pid, Python, nullptr, nullptr, argv.data(), environ) != 0) {
            Pid = -1;
            return;
        }
        // The server writes its port once it listens; a server that cannot start says so on
        // stderr and ends.
        for (int i = 0; i < 200 && !fs::exists(portFile); ++i) {
            int status = 0;
            if (waitpid(Pid, &status, WNOHANG) == Pid) {
                Pid = -1;
                return;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
        if (fs::exists(portFile)) Port = std::stoi(ReadFile(portFile));
    }
    ~TServerProcess() {
        if (Pid <= 0) return;
        kill(Pid, SIGTERM);
        int status = 0;
        waitpid(Pid, &status, 0);
    }
    TServerProcess(const TServerProcess&) = delete;
    TServerProcess& operator=(const TServerProcess&) = delete;

    bool Running() const { return Pid > 0 && Port > 0; }
    int Port = 0;

private:
    pid_t Pid = -1;
};

inline std::string ScriptPath(const char* name) {
    return std::string(QUILLON_SOURCE_DIR) + "/tests/online/" + name;
}

// A key pair of the test's own: the game's built-in key never signs test folders.
struct TTestKeys {
    TTestKeys() { MakeKeyPair(Secret, Public); }
    std::string Secret;
    std::string Public;
};

// The manifest line of a file as it lies in `folder`.
inline TManifestEntry EntryOf(const fs::path& folder, const std::string& name, const std::string& version) {
    TManifestEntry entry;
    entry.Name = name;
    entry.Size = static_cast<int64_t>(fs::file_size(folder / name));
    entry.Sha256 = FileSha256((folder / name).string());
    entry.Version = version;
    return entry;
}

// Writes manifest.txt and its signature by `secret` into the folder.
inline void WriteSignedManifest(const fs::path& folder, const std::vector<TManifestEntry>& entries,
                                const std::string& secret) {
    const std::string text = ManifestText(entries);
    WriteFile(folder / ManifestName, text);
    WriteFile(folder / ManifestSignatureName, Sign(text, secret) + "\n");
}

// An archive made by the archive library from (stored name, bytes) pairs.
inline void PackArchive(const fs::path& archive,
                        const std::vector<std::pair<std::string, std::string>>& files) {
    TTempFolder stage;
    TQuietArchiveUi ui(TArchiveAnswer::Yes, false);
    fs::create_directories(archive.parent_path());
    std::vector<std::string> names;
    for (const auto& [name, bytes] : files) {
        WriteFile(stage.Path / name, bytes);
        names.push_back(name);
    }
    TArchiveManager manager(ui);
    manager.ShowMessages = false;
    manager.OpenArchive(archive.string(), false);
    if (manager.AddFiles(names, stage.Path.string()) != static_cast<int>(names.size()))
        throw std::runtime_error("cannot pack " + archive.string());
    manager.CloseArchive();
}

// The game database the build packs, as bytes.
inline std::string BuiltDatabase() {
    return ReadFile(fs::path(QUILLON_BINARY_DIR) / "Database.pck");
}

// A certificate for 127.0.0.1 made for one test run, and its key; the tests trust it alone.
struct TTestCertificate {
    explicit TTestCertificate(const fs::path& folder)
        : Certificate((folder / "cert.pem").string()), Key((folder / "key.pem").string()) {
        const std::string command =
            "openssl req -x509 -newkey ec -pkeyopt ec_paramgen_curve:prime256v1 -nodes -days 2 -subj "
            "/CN=127.0.0.1 -addext subjectAltName=IP:127.0.0.1 -keyout '" +
            Key + "' -out '" + Certificate + "' >/dev/null 2>&1";
        Made = std::system(command.c_str()) == 0 && fs::exists(Certificate);
    }
    std::string Certificate;
    std::string Key;
    bool Made = false;
};

} // namespace online_test
