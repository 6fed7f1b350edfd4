// Reading the connection data of the group certificate kept in the program
// directory.
#pragma once

#include "platform/FileSystem.h"

#include <string>
#include <string_view>

namespace qz {

struct CertificateConnection {
    bool valid = false;
    std::string host; // with ":port" when the certificate gives one
    std::string user;
    std::string password;
    std::string folder; // the remote folder it names; sessions start in "." instead
};

// Reads "programDirectory\access.dat". Valid only when the file holds
// exactly 20 records, every scrambled record passes its check, the key
// numbers read as numbers and every field lies inside its record. A host
// ending of four characters that begins " (" is removed.
CertificateConnection DecodeCertificate(FileSystem& files, std::string_view programDirectory);

} // namespace qz
