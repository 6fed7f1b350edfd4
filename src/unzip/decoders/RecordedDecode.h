// Decoding a whole entry in memory, so that it can run ahead on another
// thread: plain compressed bytes in (already decrypted), the decoded pieces
// out, together with the order in which the decoder read input and wrote
// pieces. Replaying the record hands the pieces to the real sink, and runs
// the engine's between-reads work, exactly where a decode straight from the
// archive would have.
#pragma once

#include "unzip/decoders/Decoder.h"
#include "unzip/decoders/PieceBlocks.h"

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

namespace qz::unzip {

struct RecordedDecode {
    struct Piece {
        std::uint32_t size;
        std::uint32_t readsBefore; // input reads made before the piece was written
    };
    DecodeStatus status = DecodeStatus::Done;
    std::uint32_t crc = 0;
    std::vector<Piece> pieces;
    std::vector<std::uint8_t*> blocks; // each piece's bytes, from the decode's PieceBlocks
    std::uint32_t reads = 0;           // every input read of the decode
};

// Thrown out of decodeInMemory when stop was set at one of its reads.
struct DecodeAbandoned {};

// Decodes input (already decrypted, without the encryption header). Output never
// exceeds entry.uncompressedSize (a longer entry ends with
// BiggerThanUncompressed), so that size, and one piece for the last one's
// block, bound the memory taken from blocks. A decode that throws gives its
// blocks back.
RecordedDecode decodeInMemory(DecoderWorkspace& workspace, const EntryCoding& entry,
                              const BlockBytes& input, const std::atomic<bool>& stop,
                              PieceBlocks& blocks);

// Hands the recorded pieces to sink, running beforeRead for every read the
// decoder made before each piece (and after the last one). A refused piece
// ends the replay with OutputRefused; the result's CRC is the recorded one,
// so it counts only when every piece was taken.
DecodeResult replay(const RecordedDecode& decoded, ByteSink& sink,
                    const std::function<void()>& beforeRead);

} // namespace qz::unzip
