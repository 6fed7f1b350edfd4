// Traditional PKWARE decryption, as the ZIP application note defines it:
// three 32-bit keys initialised from the password and updated with every
// plain byte.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace qz::unzip {

inline constexpr std::size_t kEncryptionHeaderSize = 12;

class PkwareDecryptor {
public:
    // The password's bytes as the archive's writer saw them.
    explicit PkwareDecryptor(std::string_view password);

    void decrypt(std::uint8_t* data, std::size_t count);

    // One stream of decryptInterleaved: its keys and its bytes.
    struct Stream {
        PkwareDecryptor* keys;
        std::uint8_t* data;
        std::size_t count;
    };
    // Decrypts several independent streams in place, as decrypt would one
    // after the other. Each byte waits for the keys the previous one made, so
    // one stream leaves the processor mostly idle; stepping up to
    // kInterleaveWidth streams together fills that wait.
    static void decryptInterleaved(Stream* streams, std::size_t count);
    static constexpr std::size_t kInterleaveWidth = 4;

    // Decrypts the 12-byte encryption header in place; true when its last
    // byte equals checkByte (the keys then stand at the entry's first byte).
    bool checkHeader(std::uint8_t* header, std::uint8_t checkByte);

    // The byte the header must end in: the high byte of the DOS modification
    // time when sizes and CRC follow the data (flag bit 3), otherwise the
    // high byte of the CRC-32. dosDateTime has the time in its low word.
    static std::uint8_t checkByteFor(std::uint16_t flags, std::uint32_t crc,
                                     std::uint32_t dosDateTime);

private:
    struct Keys {
        std::uint32_t k0 = 0x12345678u;
        std::uint32_t k1 = 0x23456789u;
        std::uint32_t k2 = 0x34567890u;
        void update(std::uint8_t plain);
        std::uint8_t mask() const;
    };
    Keys keys_;
};

} // namespace qz::unzip
