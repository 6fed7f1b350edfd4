// Decoding one ZIP entry: the engine hands over a source of compressed bytes
// (already decrypted) and a sink for the decoded bytes; the workspace picks
// the decoder for the entry's method and runs it to the end of the data.
//
// Output reaches the sink in pieces of kPieceSize bytes (the last one may be
// shorter). Before each piece is handed on, the decoder checks it against the
// entry's uncompressed size: a piece that would pass it is not written and
// decoding ends with BiggerThanUncompressed, so the sink holds exactly the
// pieces that fit. The result carries the CRC-32 of everything the sink took.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

namespace qz::unzip {

// Input is read and output written in pieces of at most this many bytes.
inline constexpr std::size_t kPieceSize = 16000;

class ByteSource {
public:
    virtual ~ByteSource() = default;
    // Fills buffer with up to count compressed bytes of the entry, already
    // decrypted; returns how many, 0 once the entry's data is used up.
    // Decoders ask for kPieceSize bytes at a time. May throw (cancel, premature
    // end of the archive): the exception passes out of decode() and the
    // workspace stays fit for the next entry.
    virtual std::size_t read(std::uint8_t* buffer, std::size_t count) = 0;
    // The same read, but a source that holds the bytes in memory already may
    // hand out where they lie instead of copying them into buffer; they stay
    // as they are until the next call. Sets count to the bytes read.
    virtual const std::uint8_t* readInPlace(std::uint8_t* buffer, std::size_t& count) {
        count = read(buffer, count);
        return buffer;
    }
};

class ByteSink {
public:
    virtual ~ByteSink() = default;
    // Takes one piece of decoded bytes (1 to kPieceSize). Returning false
    // stops decoding (write failure, cancel); may also throw.
    virtual bool write(const std::uint8_t* data, std::size_t count) = 0;
};

enum class DecodeStatus {
    // The data ended where its format says: deflate's last block, the stated
    // uncompressed size for the other methods, the end of input for stored
    // and shrunk entries.
    Done,
    // An invalid code or block, or the input ended too early. Output still
    // pending inside the decoder is not written; the CRC check then fails.
    CorruptData,
    // The sink returned false.
    OutputRefused,
    // The next piece would have made the output longer than the stated
    // uncompressed size; that piece was not written.
    BiggerThanUncompressed,
    // The method is none of 0, 1, 2-5, 6, 8: nothing was read or written.
    UnsupportedMethod,
};

struct DecodeResult {
    DecodeStatus status = DecodeStatus::Done;
    std::uint64_t written = 0; // bytes the sink took
    std::uint32_t crc = 0;     // their CRC-32 (final value, as stored in the archive)
};

// What a decoder needs to know of an entry, from its header.
struct EntryCoding {
    std::uint16_t method =
        0; // 0 stored, 1 shrunk, 2-5 reduced (factor 1-4), 6 imploded, 8 deflated
    std::uint16_t flags =
        0; // general purpose bits; implode reads bit 1 (8K window) and bit 2 (3 trees)
    std::uint64_t uncompressedSize = 0;
};

bool isSupportedMethod(std::uint16_t method);

// The work buffers and tables of all decoders, allocated once and reused for
// every entry of an extraction run.
class DecoderWorkspace {
public:
    DecoderWorkspace();
    ~DecoderWorkspace();
    DecoderWorkspace(const DecoderWorkspace&) = delete;
    DecoderWorkspace& operator=(const DecoderWorkspace&) = delete;

    DecodeResult decode(const EntryCoding& entry, ByteSource& source, ByteSink& sink);

    struct Buffers;

private:
    std::unique_ptr<Buffers> buffers_;
};

} // namespace qz::unzip
