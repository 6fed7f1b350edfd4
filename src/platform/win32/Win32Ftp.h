// FTP port on WinInet: one internet handle and one FTP connection per
// session, in passive mode, with timeouts so that a silent server ends the
// attempt instead of hanging the window.
#pragma once

#include "platform/Ftp.h"

namespace qz {

class Win32Ftp : public Ftp {
public:
    RepositorySession openRepositorySession(const std::string& hostField, const std::string& folder,
                                            const std::string& user,
                                            const std::string& password) override;
};

} // namespace qz
