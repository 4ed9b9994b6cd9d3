// Every worked example of the archive format, reproduced byte for byte. Each row produces a text
// that must equal the expected one; byte strings are compared as hex, written with Packed() so that
// they can keep the spaces that make them readable.
#include "CodecTestSupport.h"

#include "archive/ArchiveFile.h"
#include "archive/ArithCoder.h"
#include "archive/BitFile.h"
#include "archive/BlockCodec.h"
#include "archive/BlockSort.h"
#include "archive/Crc32.h"
#include "archive/MoveToFront.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

using namespace CodecTest;

namespace {

struct TExample {
    const char* Name;
    std::function<std::string()> Produce;
    std::string Expected;
};

std::string Packed(const std::string& s) {
    std::string out;
    std::copy_if(s.begin(), s.end(), std::back_inserter(out), [](char c) { return c != ' '; });
    return out;
}

std::string Bits(const std::vector<int>& bits) {
    TBitFile f(std::vector<uint8_t>{});
    for (int b : bits)
        f.WriteBit(b);
    f.FlushBits();
    return Hex(f.MemoryBytes());
}

std::string Crc(const std::string& s) {
    char buf[9];
    std::snprintf(buf, sizeof buf, "%08x", TCRC32::Of(reinterpret_cast<const uint8_t*>(s.data()), s.size()));
    return buf;
}

// "<sorted column> p=<primary> a=<sentinel>", and whether the inverse gives the block back.
std::string Transform(const std::vector<uint8_t>& block, bool summarise = false) {
    const auto n = static_cast<int32_t>(block.size());
    std::vector<uint8_t> column(block.size()), back(block.size());
    std::vector<int32_t> sa(block.size() + 1), work(std::max<size_t>(512, block.size()));
    const TBwtIndexes ix = ForwardTransform(block.data(), n, column.data(), sa.data(), work.data());
    InverseTransform(column.data(), n, ix, reinterpret_cast<uint32_t*>(sa.data()), back.data());
    std::string text;
    if (summarise && std::all_of(column.begin(), column.end(), [&](uint8_t b) { return b == column[0]; }))
        text = std::to_string(n) + "x" + Hex(column.data(), 1);
    else
        text = std::string(column.begin(), column.end());
    text += " p=" + std::to_string(ix.Primary) + " a=" + std::to_string(ix.Sentinel);
    if (back != block) text += " (inverse differs)";
    return text;
}

std::string Join(const std::vector<int>& v) {
    std::string s;
    for (int x : v) {
        if (!s.empty()) s += ' ';
        s += std::to_string(x);
    }
    return s;
}

std::string SymbolsOf(const std::vector<uint8_t>& values) {
    std::vector<int> symbols;
    ValuesToSymbols(values.data(), static_cast<int32_t>(values.size()), [&](int s) { symbols.push_back(s); });
    return Join(symbols);
}

// The symbols of a run of k zero values, without the end-of-block symbol.
std::string ZeroRun(int k) {
    std::string s = SymbolsOf(std::vector<uint8_t>(static_cast<size_t>(k), 0));
    return s.substr(0, s.rfind(' '));
}

std::string MoveToFrontOf(const std::vector<uint8_t>& bytes) {
    TMTFEncoder mtf;
    std::vector<uint8_t> values = bytes;
    mtf.Encode(values.data(), static_cast<int32_t>(values.size()));
    return "values " + Join({values.begin(), values.end()}) + " symbols " + SymbolsOf(values);
}

std::string HeadModelHalving() {
    TGroupAriModel head = THeadAriModel().Head;
    for (int k = 0; k < 128; ++k)
        head.Update(1);
    const int32_t before = head.Cum[0];
    head.Update(1);
    return std::to_string(before) + " " + std::to_string(head.Cum[0]);
}

std::string CompressedBlock(const std::string& text) {
    TBlockMan man;
    TQuietArchiveUi ui;
    TCompressor compressor(man, ui);
    std::memcpy(compressor.BlockBuffer(), text.data(), text.size());
    TBitFile archive(std::vector<uint8_t>{});
    compressor.CompressBlock(archive, static_cast<int32_t>(text.size()));
    return Hex(archive.MemoryBytes());
}

std::string ExpandedBlock(const std::string& hex) {
    std::vector<uint8_t> bytes;
    for (size_t i = 0; i + 1 < hex.size(); i += 2)
        bytes.push_back(static_cast<uint8_t>(std::stoi(hex.substr(i, 2), nullptr, 16)));
    TBlockMan man;
    TQuietArchiveUi ui;
    TExpander expander(man, ui);
    TBitFile archive(bytes);
    std::string out;
    const bool ok = expander.ExpandBlock(archive, [&](const uint8_t* p, size_t n) { out.append(p, p + n); });
    return out + (ok ? "" : " (CRC failed)") + " at " + std::to_string(archive.Position());
}

const char* const BlockA = "44415441 43beb7e8 03000000 00000000 01000000 3f05cc";
const char* const BlockBanana = "44415441 cf678b03 07000000 03000000 04000000 3f2d727ab9d165";

// Rows are appended as the archive grows; keep each one self-contained.
const std::vector<TExample>& Examples() {
    static const std::vector<TExample> rows = {
        // Bits, read limit, CRC-32
        {"bits 1,0,1 flushed",
         [] {
             return Bits({1, 0, 1});
         },
         "a0"},
        {"flush without pending bits", [] { return Bits({}); }, ""},
        {"read limit 2, 40 bits read",
         [] {
             TBitFile f(std::vector<uint8_t>{0x12, 0x34, 0x56, 0x78});
             f.SetReadLimit(2);
             std::vector<uint8_t> got;
             for (int k = 0; k < 5; ++k)
                 got.push_back(static_cast<uint8_t>(f.ReadBits(8)));
             return Hex(got) + " at " + std::to_string(f.Position());
         },
         "1234000000 at 2"},
        {"CRC-32 of 123456789", [] { return Crc("123456789"); }, "cbf43926"},
        {"CRC-32 of nothing", [] { return Crc(""); }, "00000000"},
        // Block-sorting transform
        {"transform of banana", [] { return Transform(Bytes("banana")); }, "annbaa p=3 a=4"},
        {"transform of abracadabra", [] { return Transform(Bytes("abracadabra")); }, "ardrcaaaabb p=7 a=3"},
        {"transform of one byte", [] { return Transform(Bytes("x")); }, "x p=0 a=1"},
        {"transform of 409600 equal bytes", [] { return Transform(std::vector<uint8_t>(409600, 'z'), true); },
         "409600x7a p=409599 a=409600"},
        // Move-to-front and zero runs
        {"run of 1 zero", [] { return ZeroRun(1); }, "0"},
        {"run of 2 zeros", [] { return ZeroRun(2); }, "1"},
        {"run of 3 zeros", [] { return ZeroRun(3); }, "0 0"},
        {"run of 4 zeros", [] { return ZeroRun(4); }, "1 0"},
        {"run of 5 zeros", [] { return ZeroRun(5); }, "0 1"},
        {"run of 6 zeros", [] { return ZeroRun(6); }, "1 1"},
        {"run of 7 zeros", [] { return ZeroRun(7); }, "0 0 0"},
        {"block of one value 0", [] { return SymbolsOf({0}); }, "0 257"},
        {"bytes 5,5,5,0",
         [] {
             return MoveToFrontOf({5, 5, 5, 0});
         },
         "values 5 0 0 1 symbols 6 1 2 257"},
        {"value 255", [] { return SymbolsOf({255}); }, "256 257"},
        // Arithmetic coder and whole blocks
        {"head model total before and after its 129th update", HeadModelHalving, "4106 2090"},
        {"block a compressed", [] { return CompressedBlock("a"); }, Packed(BlockA)},
        {"block banana compressed", [] { return CompressedBlock("banana"); }, Packed(BlockBanana)},
        {"block a expanded", [] { return ExpandedBlock(Packed(BlockA)); }, "a at 23"},
        {"block banana expanded", [] { return ExpandedBlock(Packed(BlockBanana)); }, "banana at 27"},
        // Whole archives
        {"archive with no files",
         [] {
             TArchiveFile archive(std::vector<uint8_t>{});
             archive.WriteEmptyArchive();
             return Hex(archive.MemoryBytes());
         },
         Packed("51415243 45434452 00400600 04000000")},
        {"archive of a.txt holding banana, date-time 0, attributes 32",
         [] {
             TBlockMan man;
             TQuietArchiveUi ui;
             TCompressor compressor(man, ui);
             TArchiveFile archive(std::vector<uint8_t>{});
             archive.Write(ArchiveSignature, 4);
             std::memcpy(compressor.BlockBuffer(), "banana", 6);
             TCentralDirEntry entry;
             entry.SetStoredName("a.txt");
             entry.Header = {compressor.CompressBlock(archive, 6), 6, 1, 4, 0, AttrArchive};
             archive.CentralDir.Entries.push_back(entry);
             archive.WriteCentralDir();
             const std::vector<uint8_t>& bytes = archive.MemoryBytes();
             return std::to_string(bytes.size()) + " " + Hex(bytes);
         },
         "77 " + Packed(std::string("51415243") + BlockBanana +
                        "43464853 07000000 06000000 01000000 04000000 00000000 20000000 612e747874 00"
                        "45434452 00400600 1f000000")},
    };
    return rows;
}

} // namespace

TEST(WorkedExamplesTest, EveryExampleIsReproducedExactly) {
    for (const TExample& row : Examples()) {
        SCOPED_TRACE(row.Name);
        EXPECT_EQ(row.Produce(), row.Expected);
    }
}
