// The output side of every decoder: gathers decoded bytes into pieces of
// kPieceSize, refuses a piece that would pass the entry's uncompressed size,
// hands the rest to the sink and keeps the CRC-32 of what the sink took.
#pragma once

#include "unzip/decoders/Crc32.h"
#include "unzip/decoders/Decoder.h"

#include <cstddef>
#include <cstdint>

namespace qz::unzip {

class PieceWriter {
public:
    // piece: a buffer of kPieceSize bytes for bytes that do not yet fill a piece.
    PieceWriter(ByteSink& sink, std::uint8_t* piece, std::uint64_t limit);

    // Throws DecodeStop when the sink refuses a piece or a piece passes the limit.
    void put(const std::uint8_t* data, std::size_t count);
    // Writes the last, short piece.
    void finish();

    std::uint64_t written() const { return written_; }
    std::uint32_t crc() const { return crc_.value(); }

private:
    void emit(const std::uint8_t* data, std::size_t count);

    ByteSink& sink_;
    std::uint8_t* piece_;
    std::size_t staged_ = 0;
    std::uint64_t limit_;
    std::uint64_t written_ = 0;
    Crc32 crc_;
};

} // namespace qz::unzip
