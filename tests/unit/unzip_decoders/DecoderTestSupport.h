// Shared by the decoder suites: sources and sinks over memory, a bit writer
// for hand-made streams, and a small reader of ZIP central directories that
// finds each entry's data in an archive.
#pragma once

#include "unzip/decoders/Decoder.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace qz::unzip::test {

// Hands out data in pieces of at most chunk bytes, however many are asked for.
class MemorySource : public ByteSource {
public:
    explicit MemorySource(std::string_view data, std::size_t chunk = kPieceSize)
        : data_(data), chunk_(chunk) {}
    std::size_t read(std::uint8_t* buffer, std::size_t count) override;

    std::size_t consumed() const { return pos_; }
    std::size_t largestRequest = 0;

private:
    std::string_view data_;
    std::size_t chunk_;
    std::size_t pos_ = 0;
};

// Keeps what it is given; refuses the piece after acceptPieces when set.
class MemorySink : public ByteSink {
public:
    bool write(const std::uint8_t* data, std::size_t count) override;

    std::string data;
    std::vector<std::size_t> pieces;
    std::size_t acceptPieces = SIZE_MAX;
};

// LSB-first bit packing, as the ZIP methods read their input.
class BitWriter {
public:
    void bits(std::uint32_t value, unsigned count);
    // A prefix code, sent from its most significant bit.
    void code(std::uint32_t code, unsigned length);
    void byte(std::uint8_t b) { bits(b, 8); }
    // Pads to a byte boundary and returns the bytes.
    std::string finish();

private:
    std::string out_;
    std::uint32_t acc_ = 0;
    unsigned count_ = 0;
};

struct ZipEntry {
    std::string name;
    std::uint16_t flags = 0;
    std::uint16_t method = 0;
    std::uint32_t dosDateTime = 0; // time in the low word
    std::uint32_t crc = 0;
    std::uint32_t uncompressedSize = 0;
    std::string data; // as stored: the encryption header first when encrypted
};

std::string readBytes(const std::filesystem::path& file);
// The entries of a single-file archive, in central directory order.
std::vector<ZipEntry> readZipEntries(const std::filesystem::path& archive);

// Decodes an entry (decrypting with password when it is encrypted); the
// result's status is CorruptData when the password check fails.
DecodeResult decodeEntry(DecoderWorkspace& workspace, const ZipEntry& entry, MemorySink& sink,
                         std::string_view password = {}, std::size_t chunk = kPieceSize);

EntryCoding codingOf(const ZipEntry& entry);

// A fresh folder under the system's temporary folder, removed by the destructor.
class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    std::filesystem::path path;
};

void writeBytes(const std::filesystem::path& file, std::string_view bytes);
// Runs a shell command line; true when it exits with 0.
bool runCommand(const std::string& command);
bool haveTool(const std::string& name);

// Deterministic test data: text-like, random, runs, and a mix.
std::string makeText(std::size_t size, std::uint32_t seed);
std::string makeRandom(std::size_t size, std::uint32_t seed);

} // namespace qz::unzip::test
