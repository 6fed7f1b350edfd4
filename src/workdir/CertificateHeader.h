// Record 0 of a certificate file (access.dat, access0.dat): the plain header
// "1.0|" f0 "|" f1 "|" f2 "|" f3 "|", where f0 is the student's name. The
// page shows it as two lines and tells certificates apart by its identity.
#pragma once

#include "platform/FileSystem.h"

#include <string>
#include <string_view>

namespace qz {

struct CertificateHeaderRead {
    int status;
    std::string header;
};

// -10 folder missing, -1 no such file, -2 cannot open, -3 two records or
// fewer, 0 with record 0's text. Clears the read-only mark of the folder's
// access.dat first, whichever file is read.
CertificateHeaderRead ReadCertificateHeader(FileSystem& files, std::string_view folder,
                                            std::string_view fileName);

// f0 "\r\n" f1 " [" f2 "] " f3, each field trimmed. Each field ends at the
// next "|"; a field without one is empty and so are those after it. Empty
// when the header does not start with "1.0|" or a field's "|" lies beyond
// the 50th character of the text that remains.
std::string FormatCertificateInfo(std::string_view header);

// The certificate of a file in the folder as the page shows it, two lines;
// empty when the file is missing, unreadable or no certificate. A file the
// page would not show is never taken for a certificate anywhere.
std::string ReadCertificateText(FileSystem& files, std::string_view folder,
                                std::string_view fileName);

enum class IdentityForm { Short, Long };

// Short: the first line (the student's name). Long: the short form, a blank
// and the second line's text before its last "[" less the character in
// front of it (f1); just the short form when that "[" is not beyond the
// second character.
std::string CertificateIdentity(std::string_view text, IdentityForm form);

} // namespace qz
