#pragma once
// One archive block at a time: the compressor turns up to ArchiveBlockSize bytes into a block header
// plus coded stream at the archive's current position, the expander reads one back.
#include "archive/ArchiveUi.h"
#include "archive/BitFile.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <new>
#include <type_traits>
#include <utility>
#include <vector>

constexpr int32_t ArchiveBlockSize = 409600;
constexpr int32_t BlockHeaderSize = 20;

// Storage that is not cleared when it is made. The block buffers serve block after block, so
// every stage already writes what it later reads; clearing 4 MB for each archive operation (and
// touching every page of it) cost more than compressing a small file.
template <typename T>
struct TUnclearedAllocator : std::allocator<T> {
    TUnclearedAllocator() noexcept = default;
    template <typename U>
    TUnclearedAllocator(const TUnclearedAllocator<U>&) noexcept {}
    template <typename U>
    void construct(U* p) noexcept(std::is_nothrow_default_constructible_v<U>) {
        ::new (static_cast<void*>(p)) U;
    }
    template <typename U, typename... A>
    void construct(U* p, A&&... args) {
        ::new (static_cast<void*>(p)) U(std::forward<A>(args)...);
    }
};
template <typename T>
using TBlockBuffer = std::vector<T, TUnclearedAllocator<T>>;

// The block-sized working storage, allocated once and shared by the compressor and the expander,
// so that no block costs an allocation.
class TBlockMan {
public:
    TBlockMan();
    TBlockBuffer<uint8_t> Block;  // the block's bytes (input of compression, output of expansion)
    TBlockBuffer<uint8_t> Column; // the sorted column; scratch of the suffix sorter
    TBlockBuffer<int32_t>
        Suffixes; // suffix array (ArchiveBlockSize + 1 rows); links between rows when expanding
    TBlockBuffer<int32_t> Workspace; // bucket counts of the suffix sorter
};

class TCompressor {
public:
    TCompressor(TBlockMan& work, TArchiveUi& ui);
    uint8_t* BlockBuffer() { return Work.Block.data(); } // the caller puts the n block bytes here
    // Writes header and coded stream at the current position, returns the coded length and leaves the
    // position after the block; n must be 1..ArchiveBlockSize. Lets the host process its events.
    int32_t CompressBlock(TBitFile& archive, int32_t n);

private:
    TBlockMan& Work;
    TArchiveUi& Ui;
};

class TExpander {
public:
    TExpander(TBlockMan& work, TArchiveUi& ui);
    // Reads one block at the archive's current position (header + coded stream), passes the decoded
    // bytes to out. Returns true when the CRC-32 matched; on mismatch shows "CRC does not match!" and
    // returns false (the bytes still go to out). Wrong signature: ESignatureWrong. A stream that cannot
    // be valid: EBitReadLimit or ECorruptArchive, and nothing of the block goes to out. Afterwards the
    // archive is positioned at header position + 20 + coded length.
    bool ExpandBlock(TBitFile& archive, const std::function<void(const uint8_t*, size_t)>& out);
    bool LastBlockOk() const { return LastOk; }

private:
    TBlockMan& Work;
    TArchiveUi& Ui;
    bool LastOk = false;
};
