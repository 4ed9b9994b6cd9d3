#include "archive/BlockCodec.h"

#include "archive/ArchiveErrors.h"
#include "archive/ArithCoder.h"
#include "archive/BlockSort.h"
#include "archive/Crc32.h"
#include "archive/MoveToFront.h"

#include <stdexcept>
#include <string>

namespace {

constexpr uint8_t BlockSignature[4] = {'D', 'A', 'T', 'A'};

} // namespace

TBlockMan::TBlockMan()
    : Block(ArchiveBlockSize), Column(ArchiveBlockSize), Suffixes(ArchiveBlockSize + 1),
      Workspace(ArchiveBlockSize) {}

TCompressor::TCompressor(TBlockMan& work, TArchiveUi& ui) : Work(work), Ui(ui) {}

int32_t TCompressor::CompressBlock(TBitFile& archive, int32_t n) {
    if (n < 1 || n > ArchiveBlockSize)
        throw std::out_of_range("Block length " + std::to_string(n) + " out of range");

    const int64_t headerPos = archive.Position();
    archive.WriteZeros(BlockHeaderSize); // room for the header, written once the length is known

    const uint8_t* block = Work.Block.data();
    uint8_t* column = Work.Column.data();
    const uint32_t crc = TCRC32::Of(block, static_cast<size_t>(n));
    const TBwtIndexes indexes =
        ForwardTransform(block, n, column, Work.Suffixes.data(), Work.Workspace.data());

    TMTFEncoder mtf;
    mtf.Encode(column, n);
    TStrucAriEncoder encoder(archive);
    encoder.Start();
    encoder.EncodeAll([&](auto&& emit) { ValuesToSymbols(column, n, emit); });
    encoder.Finish();

    const int64_t endPos = archive.Position();
    const int32_t codedLength = static_cast<int32_t>(endPos - headerPos - BlockHeaderSize);
    archive.Seek(headerPos, TSeekOrigin::Begin);
    archive.Write(BlockSignature, sizeof BlockSignature);
    archive.WriteU32(crc);
    archive.WriteI32(codedLength);
    archive.WriteI32(indexes.Primary);
    archive.WriteI32(indexes.Sentinel);
    archive.Seek(endPos, TSeekOrigin::Begin);

    Ui.ProcessEvents();
    return codedLength;
}

TExpander::TExpander(TBlockMan& work, TArchiveUi& ui) : Work(work), Ui(ui) {}

bool TExpander::ExpandBlock(TBitFile& archive, const std::function<void(const uint8_t*, size_t)>& out) {
    LastOk = false;
    const int64_t headerPos = archive.Position();
    uint8_t signature[4];
    for (uint8_t& b : signature)
        b = archive.ReadByte();
    for (int k = 0; k < 4; ++k)
        if (signature[k] != BlockSignature[k]) throw ESignatureWrong();
    const uint32_t storedCrc = archive.ReadU32();
    const int32_t codedLength = archive.ReadI32();
    TBwtIndexes indexes;
    indexes.Primary = archive.ReadI32();
    indexes.Sentinel = archive.ReadI32();
    if (codedLength < 0 || codedLength > archive.Size() - headerPos - BlockHeaderSize)
        throw ECorruptArchive("Corrupt block: coded length " + std::to_string(codedLength) +
                              " out of range.");
    const int64_t endPos = headerPos + BlockHeaderSize + codedLength;

    // Whatever the stream held, the next block starts right after this one (the decoder may stop short
    // of the coded length on a damaged stream, or look a few bytes beyond it).
    auto leaveBlock = [&] {
        archive.SetReadLimit(TBitFile::NoReadLimit);
        archive.ResetBits();
        archive.Seek(endPos, TSeekOrigin::Begin);
    };
    // Symbols, zero runs and move-to-front in one pass, straight into the sorted column.
    uint8_t* column = Work.Column.data();
    int32_t n = 0;
    try {
        archive.SetReadLimit(codedLength);
        TStrucAriDecoder decoder(archive);
        decoder.Start();
        TMTFDecoder mtf;
        n = DecodeToBytes(decoder, mtf, column, ArchiveBlockSize);
    } catch (...) {
        leaveBlock();
        throw;
    }
    leaveBlock();

    // The primary and sentinel rows are distinct rows of the n + 1 sorted suffixes.
    if (n == 0 || indexes.Primary < 0 || indexes.Primary > n || indexes.Sentinel < 0 ||
        indexes.Sentinel > n || indexes.Primary == indexes.Sentinel)
        throw ECorruptArchive("Corrupt block: indexes out of range.");

    uint8_t* block = Work.Block.data();
    InverseTransform(column, n, indexes, reinterpret_cast<uint32_t*>(Work.Suffixes.data()), block);

    LastOk = TCRC32::Of(block, static_cast<size_t>(n)) == storedCrc;
    if (!LastOk) Ui.ShowMessage("CRC does not match!", "");
    out(block, static_cast<size_t>(n));
    return LastOk;
}
