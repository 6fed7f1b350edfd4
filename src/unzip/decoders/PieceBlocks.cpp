#include "unzip/decoders/PieceBlocks.h"

#include "unzip/decoders/Decoder.h"

namespace qz::unzip {

std::uint8_t* PieceBlocks::take() {
    std::lock_guard<std::mutex> lock(mutex_);
    if (!free_.empty()) {
        std::uint8_t* block = free_.back();
        free_.pop_back();
        return block;
    }
    all_.push_back(std::make_unique_for_overwrite<std::uint8_t[]>(kPieceSize));
    return all_.back().get();
}

void PieceBlocks::giveBack(std::vector<std::uint8_t*>& blocks) {
    std::lock_guard<std::mutex> lock(mutex_);
    free_.insert(free_.end(), blocks.begin(), blocks.end());
    blocks.clear();
}

} // namespace qz::unzip
