#include "unzip/decoders/Decoder.h"

#include "unzip/decoders/BitInput.h"
#include "unzip/decoders/DecodeStop.h"
#include "unzip/decoders/Explode.h"
#include "unzip/decoders/Inflate.h"
#include "unzip/decoders/PieceWriter.h"
#include "unzip/decoders/SlideWindow.h"
#include "unzip/decoders/Unreduce.h"
#include "unzip/decoders/Unshrink.h"

#include <array>

namespace qz::unzip {

namespace {

enum Method : std::uint16_t {
    Stored = 0,
    Shrunk = 1,
    ReducedFactor1 = 2,
    ReducedFactor4 = 5,
    Imploded = 6,
    Deflated = 8,
};

} // namespace

struct DecoderWorkspace::Buffers {
    std::array<std::uint8_t, kSlideBufferSize> slide;
    std::array<std::uint8_t, kPieceSize> input;
    std::array<std::uint8_t, kPieceSize> output;
    InflateTables inflate;
    ShrinkTables shrink;
    ReduceTables reduce;
    ExplodeTables explode;
};

bool isSupportedMethod(std::uint16_t method) {
    return method == Stored || method == Shrunk ||
           (method >= ReducedFactor1 && method <= ReducedFactor4) || method == Imploded ||
           method == Deflated;
}

DecoderWorkspace::DecoderWorkspace() : buffers_(std::make_unique<Buffers>()) {}
DecoderWorkspace::~DecoderWorkspace() = default;

DecodeResult DecoderWorkspace::decode(const EntryCoding& entry, ByteSource& source,
                                      ByteSink& sink) {
    if (!isSupportedMethod(entry.method))
        return {DecodeStatus::UnsupportedMethod, 0, 0};
    Buffers& b = *buffers_;
    PieceWriter out(sink, b.output.data(), entry.uncompressedSize);
    try {
        if (entry.method == Stored) {
            for (;;) {
                std::size_t n = kPieceSize;
                const std::uint8_t* data = source.readInPlace(b.input.data(), n);
                if (n == 0)
                    break;
                out.put(data, n);
            }
        } else {
            BitInput in(source, b.input.data());
            if (entry.method == Deflated) {
                inflate(b.inflate, in, b.slide.data(), out);
            } else if (entry.method == Shrunk) {
                unshrink(b.shrink, in, out, entry.uncompressedSize);
            } else {
                SlideWindow window(b.slide.data(), out);
                if (entry.method == Imploded)
                    explode(b.explode, in, window, entry.flags, entry.uncompressedSize);
                else
                    unreduce(b.reduce, in, window, entry.method - Shrunk, entry.uncompressedSize);
                window.finish();
            }
        }
        out.finish();
        return {DecodeStatus::Done, out.written(), out.crc()};
    } catch (const DecodeStop& stop) {
        return {stop.status, out.written(), out.crc()};
    }
}

} // namespace qz::unzip
