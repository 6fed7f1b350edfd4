// Any bytes as the data of an entry of any supported method: decoding must
// end, within the stated size, without touching memory it does not own.
//
// The first byte picks the method and the implode flags, the next two the
// stated size (in units of 16 bytes); the rest is the compressed data, fed in small,
// uneven pieces.
#include "unzip/decoders/Decoder.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace {

using namespace qz::unzip;

class FuzzSource : public ByteSource {
public:
    FuzzSource(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    std::size_t read(std::uint8_t* buffer, std::size_t count) override {
        const std::size_t n = std::min({count, size_ - pos_, 1 + (pos_ * 7919) % 4096});
        std::memcpy(buffer, data_ + pos_, n);
        pos_ += n;
        return n;
    }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t pos_ = 0;
};

class CountingSink : public ByteSink {
public:
    bool write(const std::uint8_t* data, std::size_t count) override {
        if (count == 0 || count > kPieceSize)
            std::abort();
        first ^= data[0];
        total += count;
        return true;
    }
    std::uint8_t first = 0;
    std::uint64_t total = 0;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 3)
        return 0;
    static const std::uint16_t methods[] = {0, 1, 2, 3, 4, 5, 6, 8};
    static DecoderWorkspace workspace; // reused, as across the entries of a run
    const std::uint16_t method = methods[data[0] & 7];
    const std::uint16_t flags = (data[0] >> 3) & 0x06;
    const std::uint64_t stated = (static_cast<std::uint64_t>(data[1]) | data[2] << 8) * 16;
    FuzzSource source(data + 3, size - 3);
    CountingSink sink;
    const DecodeResult r = workspace.decode({method, flags, stated}, source, sink);
    if (r.written != sink.total || r.written > stated)
        std::abort();
    return 0;
}
