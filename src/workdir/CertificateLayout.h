// Where a certificate keeps its connection data. A certificate file has
// exactly 20 records: record 0 is the plain header (CertificateHeader.h),
// records 1 to 19 are scrambled. Records 1 and 17 use the fixed kind-2
// scrambling and carry the key numbers A and B; every other record r uses
// kind r + 1 with keys derived from A and B. In an unscrambled record a
// field is a two-digit decimal length at one fixed offset and its CP866
// characters at another; the rest of the record is filler.
#pragma once

#include "workdir/RecordScrambler.h"

#include <cstddef>
#include <cstdint>

namespace qz {

constexpr std::size_t CertificateRecordCount = 20;
constexpr int KeyARecord = 1;
constexpr int KeyBRecord = 17;

struct CertificateField {
    int record;
    std::size_t lengthAt; // offsets from 0 in the unscrambled record
    std::size_t textAt;
};

constexpr CertificateField KeyAField{KeyARecord, 16, 35};
constexpr CertificateField KeyBField{KeyBRecord, 22, 48};
constexpr CertificateField FolderField{3, 7, 29};
constexpr CertificateField HostField{8, 12, 17}; // host, optionally ":port"
constexpr CertificateField PasswordField{11, 23, 32};
constexpr CertificateField UserField{13, 18, 28};

inline RecordScrambler CertificateScrambler(int record, std::uint32_t a, std::uint32_t b) {
    return record == KeyARecord || record == KeyBRecord
               ? RecordScrambler::Fixed()
               : RecordScrambler::CertificateRecord(record, a, b);
}

} // namespace qz
