// Methods 2 to 5, reduce with compression factor 1 to 4: bytes coded against
// follower sets of the previous byte, then expanded by a DLE-escaped
// length/distance scheme.
#pragma once

#include "unzip/decoders/BitInput.h"
#include "unzip/decoders/SlideWindow.h"

#include <array>
#include <cstdint>

namespace qz::unzip {

struct ReduceTables {
    std::array<std::array<std::uint8_t, 32>, 256> followers;
    std::array<std::uint8_t, 256> followerCount;
};

// factor: 1 to 4 (method - 1). Decodes exactly size bytes.
void unreduce(ReduceTables& tables, BitInput& in, SlideWindow& out, unsigned factor,
              std::uint64_t size);

} // namespace qz::unzip
