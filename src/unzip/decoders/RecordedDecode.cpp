#include "unzip/decoders/RecordedDecode.h"

#include <algorithm>
#include <cstring>

namespace qz::unzip {
namespace {

// The entry's data, handed out as the engine's source would: a read takes
// what is asked or what is left. Reads that start at a block, as those of
// kPieceSize do, are handed out in place.
class MemorySource : public ByteSource {
public:
    MemorySource(const BlockBytes& data, const std::atomic<bool>& stop)
        : data_(data), stop_(stop) {}

    std::size_t read(std::uint8_t* buffer, std::size_t count) override {
        const std::size_t take = begin(count);
        for (std::size_t done = 0; done < take;) {
            const std::size_t within = offset_ % kPieceSize;
            const std::size_t n = std::min(take - done, kPieceSize - within);
            std::memcpy(buffer + done, data_.blocks[offset_ / kPieceSize] + within, n);
            done += n;
            offset_ += n;
        }
        return take;
    }

    const std::uint8_t* readInPlace(std::uint8_t* buffer, std::size_t& count) override {
        if (offset_ % kPieceSize != 0 || count > kPieceSize) {
            count = read(buffer, count);
            return buffer;
        }
        count = begin(count);
        const std::uint8_t* data = count > 0 ? data_.blocks[offset_ / kPieceSize] : buffer;
        offset_ += count;
        return data;
    }

    std::uint32_t reads = 0;

private:
    // The size of a read of count bytes, counted unless it reads nothing.
    std::size_t begin(std::size_t count) {
        const std::size_t take = static_cast<std::size_t>(
            std::min<std::uint64_t>(count, data_.size - std::min(offset_, data_.size)));
        if (take == 0)
            return 0; // the engine's source returns here without a read either
        if (stop_.load(std::memory_order_relaxed))
            throw DecodeAbandoned{};
        ++reads;
        return take;
    }

    const BlockBytes& data_;
    std::uint64_t offset_ = 0;
    const std::atomic<bool>& stop_;
};

class MemorySink : public ByteSink {
public:
    MemorySink(RecordedDecode& record, const MemorySource& source, PieceBlocks& blocks)
        : record_(record), source_(source), blocks_(blocks) {}

    bool write(const std::uint8_t* data, std::size_t count) override {
        record_.blocks.push_back(blocks_.take());
        std::memcpy(record_.blocks.back(), data, count);
        record_.pieces.push_back({static_cast<std::uint32_t>(count), source_.reads});
        return true;
    }

private:
    RecordedDecode& record_;
    const MemorySource& source_;
    PieceBlocks& blocks_;
};

} // namespace

RecordedDecode decodeInMemory(DecoderWorkspace& workspace, const EntryCoding& entry,
                              const BlockBytes& input, const std::atomic<bool>& stop,
                              PieceBlocks& blocks) {
    RecordedDecode record;
    MemorySource source(input, stop);
    MemorySink sink(record, source, blocks);
    DecodeResult result;
    try {
        result = workspace.decode(entry, source, sink);
    } catch (...) {
        blocks.giveBack(record.blocks);
        throw;
    }
    record.status = result.status;
    record.crc = result.crc;
    record.reads = source.reads;
    return record;
}

DecodeResult replay(const RecordedDecode& decoded, ByteSink& sink,
                    const std::function<void()>& beforeRead) {
    std::uint32_t reads = 0;
    std::uint64_t written = 0;
    std::size_t block = 0;
    const auto readUpTo = [&](std::uint32_t count) {
        for (; reads < count; ++reads)
            beforeRead();
    };
    for (const RecordedDecode::Piece& piece : decoded.pieces) {
        readUpTo(piece.readsBefore);
        if (!sink.write(decoded.blocks[block++], piece.size))
            return {DecodeStatus::OutputRefused, written, decoded.crc};
        written += piece.size;
    }
    readUpTo(decoded.reads);
    return {decoded.status, written, decoded.crc};
}

} // namespace qz::unzip
