#include "unzip/decoders/PieceWriter.h"

#include "unzip/decoders/DecodeStop.h"

#include <algorithm>
#include <cstring>

namespace qz::unzip {

PieceWriter::PieceWriter(ByteSink& sink, std::uint8_t* piece, std::uint64_t limit)
    : sink_(sink), piece_(piece), limit_(limit) {}

void PieceWriter::put(const std::uint8_t* data, std::size_t count) {
    if (staged_ > 0) {
        const std::size_t take = std::min(count, kPieceSize - staged_);
        std::memcpy(piece_ + staged_, data, take);
        staged_ += take;
        data += take;
        count -= take;
        if (staged_ < kPieceSize)
            return;
        staged_ = 0;
        emit(piece_, kPieceSize);
    }
    // Whole pieces go to the sink straight from the caller's buffer.
    for (; count >= kPieceSize; count -= kPieceSize, data += kPieceSize)
        emit(data, kPieceSize);
    std::memcpy(piece_, data, count);
    staged_ = count;
}

void PieceWriter::finish() {
    if (staged_ > 0) {
        const std::size_t count = staged_;
        staged_ = 0;
        emit(piece_, count);
    }
}

void PieceWriter::emit(const std::uint8_t* data, std::size_t count) {
    if (written_ + count > limit_)
        throw DecodeStop{DecodeStatus::BiggerThanUncompressed};
    if (!sink_.write(data, count))
        throw DecodeStop{DecodeStatus::OutputRefused};
    crc_.update(data, count);
    written_ += count;
}

} // namespace qz::unzip
