// Arbitrary text through the update manifest reader. It must either refuse with a reason or give
// entries within its rules, which written out again read back the same. Anything else (a crash, a
// sanitizer report, a broken promise) aborts.
#include "online/UpdateManifest.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    constexpr int64_t ceiling = 1 << 20;
    std::string problem;
    const auto manifest = ParseManifest(text, ceiling, problem);
    if (!manifest) {
        if (problem.empty()) std::abort();
        return 0;
    }
    for (const TManifestEntry& entry : manifest->Entries) {
        if (entry.Size < 0 || entry.Size > ceiling || entry.Sha256.size() != 64 ||
            !IsVersion(entry.Version) || entry.Name.empty() ||
            entry.Name.find_first_of("/\\:") != std::string::npos ||
            CompareVersions(entry.Version, entry.Version) != 0)
            std::abort();
    }
    const auto again = ParseManifest(ManifestText(manifest->Entries), ceiling, problem);
    if (!again || again->Entries.size() != manifest->Entries.size()) std::abort();
    for (size_t i = 0; i < again->Entries.size(); ++i) {
        const TManifestEntry& a = manifest->Entries[i];
        const TManifestEntry& b = again->Entries[i];
        if (a.Name != b.Name || a.Size != b.Size || a.Sha256 != b.Sha256 || a.Version != b.Version)
            std::abort();
    }
    return 0;
}
