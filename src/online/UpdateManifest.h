#pragma once
// The signed list of what the update folder offers. The text is signed as a whole (its
// detached signature lies beside it) and reads:
//
//   QUILLON-UPDATES 1
//   database.pck 123456 <sha-256, 64 hex digits> 0.2.0
//   quillon.pck 2345678 <sha-256> 0.2.0
//
// one file a line: its name, its size in bytes, its SHA-256 and its version (dotted numbers).
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

extern const char* const ManifestName;          // "manifest.txt"
extern const char* const ManifestSignatureName; // "manifest.sig"
extern const char* const ManifestHeader;        // "QUILLON-UPDATES 1"

struct TManifestEntry {
    std::string Name;
    int64_t Size = 0;
    std::string Sha256; // lowercase hex
    std::string Version;
};

struct TManifest {
    std::vector<TManifestEntry> Entries;
    // The entry of that name (letter case ignored), or nullptr.
    const TManifestEntry* Find(const std::string& name) const;
};

// Parses a manifest; nullopt with the line and the reason in `problem`. A size above
// `sizeCeiling` is refused like a malformed line.
std::optional<TManifest> ParseManifest(const std::string& text, int64_t sizeCeiling, std::string& problem);

// A version is one to four numbers of up to nine digits, joined by dots.
bool IsVersion(const std::string& text);
// <0, 0 or >0 as a is older than, the same as or newer than b ("1.10" is newer than "1.9";
// missing numbers count as 0). Both must be versions.
int CompareVersions(const std::string& a, const std::string& b);

// The text of a manifest for these entries (what the folder script writes, for tests too).
std::string ManifestText(const std::vector<TManifestEntry>& entries);
