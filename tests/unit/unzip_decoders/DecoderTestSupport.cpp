#include "DecoderTestSupport.h"

#include "unzip/decoders/PkwareDecryptor.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>

namespace qz::unzip::test {

std::size_t MemorySource::read(std::uint8_t* buffer, std::size_t count) {
    largestRequest = std::max(largestRequest, count);
    const std::size_t n = std::min({count, chunk_, data_.size() - pos_});
    std::memcpy(buffer, data_.data() + pos_, n);
    pos_ += n;
    return n;
}

bool MemorySink::write(const std::uint8_t* bytes, std::size_t count) {
    if (pieces.size() >= acceptPieces)
        return false;
    data.append(reinterpret_cast<const char*>(bytes), count);
    pieces.push_back(count);
    return true;
}

void BitWriter::bits(std::uint32_t value, unsigned count) {
    for (unsigned i = 0; i < count; ++i) {
        acc_ |= ((value >> i) & 1u) << count_;
        if (++count_ == 8) {
            out_.push_back(static_cast<char>(acc_));
            acc_ = 0;
            count_ = 0;
        }
    }
}

void BitWriter::code(std::uint32_t code, unsigned length) {
    for (unsigned i = length; i-- > 0;)
        bits((code >> i) & 1u, 1);
}

std::string BitWriter::finish() {
    if (count_ > 0)
        bits(0, 8 - count_);
    return out_;
}

std::string readBytes(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot read " + file.string());
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

namespace {

std::uint32_t le16(const std::string& b, std::size_t at) {
    if (at + 2 > b.size())
        throw std::runtime_error("record past the end of the archive");
    return static_cast<std::uint8_t>(b[at]) | static_cast<std::uint8_t>(b[at + 1]) << 8;
}

std::uint32_t le32(const std::string& b, std::size_t at) {
    return le16(b, at) | le16(b, at + 2) << 16;
}

} // namespace

std::vector<ZipEntry> readZipEntries(const std::filesystem::path& archive) {
    const std::string b = readBytes(archive);
    const std::size_t end = b.rfind(std::string("PK\x05\x06", 4));
    if (end == std::string::npos)
        throw std::runtime_error("no end of central directory in " + archive.string());
    const unsigned count = le16(b, end + 10);
    std::size_t at = le32(b, end + 16);
    std::vector<ZipEntry> entries;
    for (unsigned i = 0; i < count; ++i) {
        if (le32(b, at) != 0x02014B50)
            throw std::runtime_error("bad central record in " + archive.string());
        ZipEntry e;
        e.flags = static_cast<std::uint16_t>(le16(b, at + 8));
        e.method = static_cast<std::uint16_t>(le16(b, at + 10));
        e.dosDateTime = le32(b, at + 12);
        e.crc = le32(b, at + 16);
        const std::uint32_t compressed = le32(b, at + 20);
        e.uncompressedSize = le32(b, at + 24);
        const unsigned nameLength = le16(b, at + 28);
        const unsigned extraLength = le16(b, at + 30);
        const unsigned commentLength = le16(b, at + 32);
        const std::uint32_t local = le32(b, at + 42);
        e.name = b.substr(at + 46, nameLength);
        const std::size_t data = local + 30 + le16(b, local + 26) + le16(b, local + 28);
        if (data + compressed > b.size())
            throw std::runtime_error("entry data past the end of " + archive.string());
        e.data = b.substr(data, compressed);
        entries.push_back(std::move(e));
        at += 46 + nameLength + extraLength + commentLength;
    }
    return entries;
}

EntryCoding codingOf(const ZipEntry& entry) {
    return EntryCoding{entry.method, entry.flags, entry.uncompressedSize};
}

DecodeResult decodeEntry(DecoderWorkspace& workspace, const ZipEntry& entry, MemorySink& sink,
                         std::string_view password, std::size_t chunk) {
    std::string data = entry.data;
    if (entry.flags & 1) {
        if (data.size() < kEncryptionHeaderSize)
            return {DecodeStatus::CorruptData, 0, 0};
        PkwareDecryptor keys(password);
        auto* bytes = reinterpret_cast<std::uint8_t*>(data.data());
        if (!keys.checkHeader(
                bytes, PkwareDecryptor::checkByteFor(entry.flags, entry.crc, entry.dosDateTime)))
            return {DecodeStatus::CorruptData, 0, 0};
        keys.decrypt(bytes + kEncryptionHeaderSize, data.size() - kEncryptionHeaderSize);
        data.erase(0, kEncryptionHeaderSize);
    }
    MemorySource source(data, chunk);
    return workspace.decode(codingOf(entry), source, sink);
}

ScratchFolder::ScratchFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "qz4-decoders-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        throw std::runtime_error("cannot create a scratch folder");
    path = pattern;
}

ScratchFolder::~ScratchFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path, ignored);
}

void writeBytes(const std::filesystem::path& file, std::string_view bytes) {
    std::filesystem::create_directories(file.parent_path());
    std::ofstream out(file, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out)
        throw std::runtime_error("cannot write " + file.string());
}

bool runCommand(const std::string& command) {
    return std::system(command.c_str()) == 0;
}

bool haveTool(const std::string& name) {
    return runCommand("command -v " + name + " >/dev/null 2>&1");
}

std::string makeText(std::size_t size, std::uint32_t seed) {
    static const char* const words[] = {"problem", "book ",  "the ",  "install", "of ",
                                        "module",  "\r\n",   "and ",  "working", "directory ",
                                        "Pascal",  "; end.", "begin", "  ",      "x := x + 1;"};
    std::mt19937 rng(seed);
    std::string s;
    while (s.size() < size)
        s += words[rng() % std::size(words)];
    s.resize(size);
    return s;
}

std::string makeRandom(std::size_t size, std::uint32_t seed) {
    std::mt19937 rng(seed);
    std::string s(size, '\0');
    for (char& c : s)
        c = static_cast<char>(rng());
    return s;
}

} // namespace qz::unzip::test
