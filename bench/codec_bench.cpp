// Block codec against libbz2 at level 9 on the shared corpus: compressed size and compression and
// expansion throughput, measured in the same run. Our side runs the whole block path: the file cut
// into ArchiveBlockSize blocks, each compressed into an in-memory archive stream and expanded again.
#include "archive/BlockCodec.h"

#include <algorithm>
#include <bzlib.h>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

constexpr int Repeats = 7; // best of

// The CPU time of this thread, not the time on the wall: on a busy machine the thread is often
// descheduled in the middle of a run, and that waiting says nothing about either codec.
double ThreadSeconds() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

struct TFigures {
    size_t Compressed = 0;
    double CompressSeconds = 1e30;
    double ExpandSeconds = 1e30;
};

template <typename TFn>
void Time(double& best, TFn&& fn) {
    const double t0 = ThreadSeconds();
    fn();
    best = std::min(best, ThreadSeconds() - t0);
}

// Both codecs on one file. The runs alternate between the two, so that a burst of other work on the
// machine hits both alike, and every other round the other codec goes first, so that neither always
// runs on the caches the other left behind.
class TFileRun {
public:
    TFileRun(const std::vector<uint8_t>& data, TBlockMan& man)
        : Data(data), Compressor(man, Ui), Expander(man, Ui), Back(data.size()),
          BzCoded(data.size() + data.size() / 100 + 600), BzBack(data.size() + 1) {}

    void Run() {
        for (int r = 0; r < Repeats; ++r) {
            auto ours = [&] {
                Time(Ours.CompressSeconds, [&] { CompressOurs(); });
                Time(Ours.ExpandSeconds, [&] { ExpandOurs(); });
            };
            auto bzip2 = [&] {
                Time(Bzip2.CompressSeconds, [&] { CompressBzip2(); });
                Time(Bzip2.ExpandSeconds, [&] { ExpandBzip2(); });
            };
            if (r % 2 == 0) {
                ours();
                bzip2();
            } else {
                bzip2();
                ours();
            }
        }
        if (Back != Data) throw std::runtime_error("round trip failed");
        Ours.Compressed = Coded.size();
        Bzip2.Compressed = BzCodedLen;
    }

    TFigures Ours, Bzip2;

private:
    void CompressOurs() {
        TBitFile archive(std::vector<uint8_t>{});
        for (size_t pos = 0; pos < Data.size(); pos += ArchiveBlockSize) {
            const size_t n = std::min<size_t>(ArchiveBlockSize, Data.size() - pos);
            std::memcpy(Compressor.BlockBuffer(), Data.data() + pos, n);
            Compressor.CompressBlock(archive, static_cast<int32_t>(n));
        }
        Coded = archive.MemoryBytes();
    }
    void ExpandOurs() {
        TBitFile archive(Coded);
        size_t at = 0;
        while (archive.Position() < static_cast<int64_t>(Coded.size()))
            Expander.ExpandBlock(archive, [&](const uint8_t* p, size_t n) {
                if (at + n > Back.size()) throw std::runtime_error("expanded too much");
                std::memcpy(Back.data() + at, p, n);
                at += n;
            });
        if (at != Data.size()) throw std::runtime_error("expanded too little");
    }
    void CompressBzip2() {
        BzCodedLen = static_cast<unsigned>(BzCoded.size());
        if (BZ2_bzBuffToBuffCompress(BzCoded.data(), &BzCodedLen,
                                     const_cast<char*>(reinterpret_cast<const char*>(Data.data())),
                                     static_cast<unsigned>(Data.size()), 9, 0, 0) != BZ_OK)
            throw std::runtime_error("bzip2 compression failed");
    }
    void ExpandBzip2() {
        unsigned len = static_cast<unsigned>(BzBack.size());
        if (BZ2_bzBuffToBuffDecompress(BzBack.data(), &len, BzCoded.data(), BzCodedLen, 0, 0) != BZ_OK ||
            len != Data.size())
            throw std::runtime_error("bzip2 expansion failed");
    }

    const std::vector<uint8_t>& Data;
    TQuietArchiveUi Ui;
    TCompressor Compressor;
    TExpander Expander;
    std::vector<uint8_t> Coded, Back;
    std::vector<char> BzCoded, BzBack;
    unsigned BzCodedLen = 0;
};

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
        "sizes in bytes, speeds in MB/s of uncompressed data per second of thread CPU time, ratio = ours / "
        "bzip2 -9 (best of %d runs)\n",
        Repeats);
    std::printf("%-16s %9s | %9s %9s %6s | %7s %7s %6s | %7s %7s %6s\n", "file", "size", "ours", "bzip2",
                "ratio", "comp", "bz comp", "ratio", "expand", "bz exp", "ratio");
    TBlockMan man;
    size_t totalSize = 0;
    TFigures totalOurs{0, 0, 0}, totalBz{0, 0, 0};
    for (const auto& path : files) {
        std::ifstream in(path, std::ios::binary);
        const std::vector<uint8_t> data((std::istreambuf_iterator<char>(in)),
                                        std::istreambuf_iterator<char>());
        if (data.empty()) continue;
        TFileRun run(data, man);
        run.Run();
        const TFigures& ours = run.Ours;
        const TFigures& bz = run.Bzip2;
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

    // The worst case for naive block sorting: one full block of a single repeated byte.
    const std::vector<uint8_t> same(ArchiveBlockSize, 'x');
    TFileRun run(same, man);
    run.Run();
    std::printf("\none %d-byte block of one repeated byte: compressed in %.2f ms, expanded in %.2f ms\n",
                ArchiveBlockSize, run.Ours.CompressSeconds * 1e3, run.Ours.ExpandSeconds * 1e3);
    return 0;
}
