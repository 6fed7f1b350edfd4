// Blocks of kPieceSize bytes for entries held in memory, their compressed
// data and their decoded pieces, used again once their entry is done: fresh
// memory costs a page fault for every page, which for a whole archive costs
// more than the copying. Shared by the threads that read and decode and the
// one that writes; freed with the pool.
#pragma once

#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

namespace qz::unzip {

// size bytes, kPieceSize in each block but the last.
struct BlockBytes {
    std::vector<std::uint8_t*> blocks;
    std::uint64_t size = 0;
};

class PieceBlocks {
public:
    // A block no one uses, or a new one.
    std::uint8_t* take();
    // The blocks may be taken again; the list is emptied.
    void giveBack(std::vector<std::uint8_t*>& blocks);

private:
    std::mutex mutex_;
    std::vector<std::unique_ptr<std::uint8_t[]>> all_;
    std::vector<std::uint8_t*> free_;
};

} // namespace qz::unzip
