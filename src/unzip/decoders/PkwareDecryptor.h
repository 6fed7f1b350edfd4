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

    // Bytes of one entry still to decrypt, with the keys that decrypt them.
    struct Stream {
        PkwareDecryptor* keys;
        std::uint8_t* data;
        std::size_t count;
    };
    // Decrypts the next bytes of each of up to kInterleaveWidth streams (each
    // has that many left) in place, as decrypt would one stream after the
    // other, and moves the streams past them. Each byte waits for the keys
    // the previous one made, so one stream leaves the processor mostly idle;
    // streams side by side fill that wait, in vector lanes where the
    // processor has them.
    static void decryptSideBySide(Stream* streams, std::size_t count, std::size_t bytes);
    static constexpr std::size_t kInterleaveWidth = 16;

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
    // Up to four streams side by side in general registers, moved past the
    // bytes.
    static void decryptGroup(Stream* streams, std::size_t count, std::size_t bytes);

    Keys keys_;
};

} // namespace qz::unzip
