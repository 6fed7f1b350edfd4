// Builds small ZIP archives byte by byte, so a test can shape every field
// that the reader checks: names, flags, dates, offsets, disks, comments.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace qz::test {

struct ZipEntrySpec {
    std::string name;
    std::string data; // stored as given (method 0 unless set otherwise)
    std::uint16_t method = 0;
    std::uint16_t flags = 0;
    std::uint32_t dosDateTime = 0x58210000;      // 2024-01-01 00:00:00
    std::uint32_t crc = 0;                       // 0: computed from data
    std::uint32_t uncompressedSize = 0xFFFFFFFE; // 0xFFFFFFFE: data's size
    std::uint32_t externalAttributes = 0x20;
    std::string comment;
    std::string extra;
    std::string password; // set: stored with the traditional encryption
};

inline std::uint32_t crc32Update(std::uint32_t crc, unsigned char byte) {
    crc ^= byte;
    for (int k = 0; k < 8; ++k)
        crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1)));
    return crc;
}

inline std::uint32_t crc32Of(const std::string& data) {
    std::uint32_t crc = 0xFFFFFFFF;
    for (unsigned char c : data)
        crc = crc32Update(crc, c);
    return ~crc;
}

// The traditional PKWARE encryption of the application note: a 12-byte
// header ending in the CRC's high byte, then the data.
inline std::string encrypted(const std::string& data, const std::string& password,
                             std::uint32_t crc) {
    std::uint32_t k0 = 0x12345678, k1 = 0x23456789, k2 = 0x34567890;
    auto update = [&](unsigned char plain) {
        k0 = crc32Update(k0, plain);
        k1 = (k1 + (k0 & 0xFF)) * 134775813 + 1;
        k2 = crc32Update(k2, static_cast<unsigned char>(k1 >> 24));
    };
    for (unsigned char c : password)
        update(c);
    std::string plain = std::string(11, 'h') + static_cast<char>(crc >> 24) + data;
    std::string out;
    for (unsigned char c : plain) {
        std::uint32_t t = (k2 | 2) & 0xFFFF;
        out += static_cast<char>(c ^ ((t * (t ^ 1)) >> 8));
        update(c);
    }
    return out;
}

class ZipBuilder {
public:
    // Bytes written before the first local header (a self-extractor's program).
    std::string prefix;
    std::string archiveComment;
    // Written over the end record's comment length when set.
    int commentLengthOverride = -1;
    std::uint16_t thisDisk = 0;
    std::uint16_t centralDisk = 0;
    // Added to the stored central directory offset.
    std::int64_t centralOffsetShift = 0;

    // The new entry, for the test to shape further.
    ZipEntrySpec& add(const std::string& name, const std::string& data) {
        entries_.push_back({});
        entries_.back().name = name;
        entries_.back().data = data;
        return entries_.back();
    }

    std::string bytes() const {
        std::string out = prefix;
        std::vector<std::uint32_t> offsets;
        for (const auto& e : entries_) {
            offsets.push_back(static_cast<std::uint32_t>(out.size()));
            put32(out, 0x04034B50);
            put16(out, 20);
            put16(out, flagsOf(e));
            put16(out, e.method);
            put32(out, e.dosDateTime);
            put32(out, crcOf(e));
            put32(out, static_cast<std::uint32_t>(storedOf(e).size()));
            put32(out, sizeOf(e));
            put16(out, static_cast<std::uint16_t>(e.name.size()));
            put16(out, static_cast<std::uint16_t>(e.extra.size()));
            out += e.name + e.extra + storedOf(e);
        }
        std::uint32_t central = static_cast<std::uint32_t>(out.size());
        for (std::size_t i = 0; i < entries_.size(); ++i) {
            const auto& e = entries_[i];
            put32(out, 0x02014B50);
            put16(out, 20);
            put16(out, 20);
            put16(out, flagsOf(e));
            put16(out, e.method);
            put32(out, e.dosDateTime);
            put32(out, crcOf(e));
            put32(out, static_cast<std::uint32_t>(storedOf(e).size()));
            put32(out, sizeOf(e));
            put16(out, static_cast<std::uint16_t>(e.name.size()));
            put16(out, static_cast<std::uint16_t>(e.extra.size()));
            put16(out, static_cast<std::uint16_t>(e.comment.size()));
            put16(out, 0);
            put16(out, 0);
            put32(out, e.externalAttributes);
            put32(out, offsets[i]);
            out += e.name + e.extra + e.comment;
        }
        std::uint32_t size = static_cast<std::uint32_t>(out.size()) - central;
        put32(out, 0x06054B50);
        put16(out, thisDisk);
        put16(out, centralDisk);
        put16(out, static_cast<std::uint16_t>(entries_.size()));
        put16(out, static_cast<std::uint16_t>(entries_.size()));
        put32(out, size);
        put32(out, static_cast<std::uint32_t>(central + centralOffsetShift));
        put16(out, static_cast<std::uint16_t>(commentLengthOverride >= 0 ? commentLengthOverride
                                                                         : archiveComment.size()));
        out += archiveComment;
        return out;
    }

    static void put16(std::string& out, std::uint16_t v) {
        out += static_cast<char>(v & 0xFF);
        out += static_cast<char>(v >> 8);
    }
    static void put32(std::string& out, std::uint32_t v) {
        put16(out, static_cast<std::uint16_t>(v & 0xFFFF));
        put16(out, static_cast<std::uint16_t>(v >> 16));
    }

private:
    static std::uint32_t crcOf(const ZipEntrySpec& e) { return e.crc ? e.crc : crc32Of(e.data); }
    static std::uint16_t flagsOf(const ZipEntrySpec& e) {
        return static_cast<std::uint16_t>(e.flags | (e.password.empty() ? 0 : 1));
    }
    static std::string storedOf(const ZipEntrySpec& e) {
        return e.password.empty() ? e.data : encrypted(e.data, e.password, crcOf(e));
    }
    static std::uint32_t sizeOf(const ZipEntrySpec& e) {
        return e.uncompressedSize == 0xFFFFFFFE ? static_cast<std::uint32_t>(e.data.size())
                                                : e.uncompressedSize;
    }
    std::vector<ZipEntrySpec> entries_;
};

} // namespace qz::test
