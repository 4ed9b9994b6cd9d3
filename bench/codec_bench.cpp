// Block codec against libbz2 at level 9 on the shared corpus: compressed size and compression and
// expansion throughput, measured in the same run. Our side runs the whole block path: the file cut
// into ArchiveBlockSize blocks, each compressed into an in-memory archive stream and expanded again.
#include "archive/BlockCodec.h"

#include <algorithm>
#include <bzlib.h>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

using TClock = std::chrono::steady_clock;
constexpr int Repeats = 3; // best of, to keep other load on the machine out of the figures

struct TFigures {
    size_t Compressed = 0;
    double CompressSeconds = 0;
    double ExpandSeconds = 0;
};

template <typename TFn>
double BestSeconds(TFn&& fn) {
    double best = 1e30;
    for (int r = 0; r < Repeats; ++r) {
        const auto t0 = TClock::now();
        fn();
        best = std::min(best, std::chrono::duration<double>(TClock::now() - t0).count());
    }
    return best;
}

TFigures RunOurs(const std::vector<uint8_t>& data, TBlockMan& man) {
    TQuietArchiveUi ui;
    TCompressor compressor(man, ui);
    TExpander expander(man, ui);
    TFigures f;
    std::vector<uint8_t> coded;
    f.CompressSeconds = BestSeconds([&] {
        TBitFile archive(std::vector<uint8_t>{});
        for (size_t pos = 0; pos < data.size(); pos += ArchiveBlockSize) {
            const size_t n = std::min<size_t>(ArchiveBlockSize, data.size() - pos);
            std::memcpy(compressor.BlockBuffer(), data.data() + pos, n);
            compressor.CompressBlock(archive, static_cast<int32_t>(n));
        }
        coded = archive.MemoryBytes();
    });
    f.Compressed = coded.size();
    std::vector<uint8_t> back(data.size());
    f.ExpandSeconds = BestSeconds([&] {
        TBitFile archive(coded);
        size_t at = 0;
        while (archive.Position() < static_cast<int64_t>(coded.size()))
            expander.ExpandBlock(archive, [&](const uint8_t* p, size_t n) {
                if (at + n > back.size()) throw std::runtime_error("expanded too much");
                std::memcpy(back.data() + at, p, n);
                at += n;
            });
        if (at != data.size()) throw std::runtime_error("expanded too little");
    });
    if (back != data) throw std::runtime_error("round trip failed");
    return f;
}

TFigures RunBzip2(const std::vector<uint8_t>& data) {
    TFigures f;
    std::vector<char> coded(data.size() + data.size() / 100 + 600);
    unsigned codedLen = 0;
    f.CompressSeconds = BestSeconds([&] {
        codedLen = static_cast<unsigned>(coded.size());
        if (BZ2_bzBuffToBuffCompress(coded.data(), &codedLen,
                                     const_cast<char*>(reinterpret_cast<const char*>(data.data())),
                                     static_cast<unsigned>(data.size()), 9, 0, 0) != BZ_OK)
            throw std::runtime_error("bzip2 compression failed");
    });
    f.Compressed = codedLen;
    std::vector<char> back(data.size() + 1);
    f.ExpandSeconds = BestSeconds([&] {
        unsigned len = static_cast<unsigned>(back.size());
        if (BZ2_bzBuffToBuffDecompress(back.data(), &len, coded.data(), codedLen, 0, 0) != BZ_OK ||
            len != data.size())
            throw std::runtime_error("bzip2 expansion failed");
    });
    return f;
}

double Rate(size_t bytes, double seconds) {
    return static_cast<double>(bytes) / 1e6 / seconds;
}

void PrintRow(const std::string& name, size_t size, const TFigures& ours, const TFigures& bz) {
    const double oc = Rate(size, ours.CompressSeconds), bc = Rate(size, bz.CompressSeconds);
    const double oe = Rate(size, ours.ExpandSeconds), be = Rate(size, bz.ExpandSeconds);
    std::printf("%-16s %9zu | %9zu %9zu %6.3f | %7.1f %7.1f %6.2f | %7.1f %7.1f %6.2f\n", name.c_str(), size,
                ours.Compressed, bz.Compressed,
                static_cast<double>(ours.Compressed) / static_cast<double>(bz.Compressed), oc, bc, oc / bc,
                oe, be, oe / be);
}

} // namespace

int main(int argc, char** argv) {
    const std::filesystem::path dir = argc > 1 ? argv[1] : QUILLON_CORPUS_DIR;
    std::vector<std::filesystem::path> files;
    for (const auto& e : std::filesystem::directory_iterator(dir))
        if (e.is_regular_file()) files.push_back(e.path());
    std::sort(files.begin(), files.end());

    std::printf(
        "sizes in bytes, speeds in MB/s of uncompressed data, ratio = ours / bzip2 -9 (best of %d runs)\n",
        Repeats);
    std::printf("%-16s %9s | %9s %9s %6s | %7s %7s %6s | %7s %7s %6s\n", "file", "size", "ours", "bzip2",
                "ratio", "comp", "bz comp", "ratio", "expand", "bz exp", "ratio");
    TBlockMan man;
    size_t totalSize = 0;
    TFigures totalOurs, totalBz;
    for (const auto& path : files) {
        std::ifstream in(path, std::ios::binary);
        const std::vector<uint8_t> data((std::istreambuf_iterator<char>(in)),
                                        std::istreambuf_iterator<char>());
        if (data.empty()) continue;
        const TFigures ours = RunOurs(data, man);
        const TFigures bz = RunBzip2(data);
        PrintRow(path.filename().string(), data.size(), ours, bz);
        totalSize += data.size();
        totalOurs.Compressed += ours.Compressed;
        totalOurs.CompressSeconds += ours.CompressSeconds;
        totalOurs.ExpandSeconds += ours.ExpandSeconds;
        totalBz.Compressed += bz.Compressed;
        totalBz.CompressSeconds += bz.CompressSeconds;
        totalBz.ExpandSeconds += bz.ExpandSeconds;
    }
    PrintRow("TOTAL", totalSize, totalOurs, totalBz);
    return 0;
}
