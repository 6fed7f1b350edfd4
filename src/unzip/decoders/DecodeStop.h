// How a decoder stops before the end of its data: thrown from wherever the
// fault is seen (a bad code, input ending early, the sink refusing) and turned
// into the result by the workspace.
#pragma once

#include "unzip/decoders/Decoder.h"

namespace qz::unzip {

struct DecodeStop {
    DecodeStatus status;
};

[[noreturn]] inline void corruptData() {
    throw DecodeStop{DecodeStatus::CorruptData};
}

} // namespace qz::unzip
