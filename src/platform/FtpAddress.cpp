#include "platform/Ftp.h"

namespace qz {

FtpAddress SplitFtpAddress(const std::string& hostField) {
    std::size_t colon = hostField.find(':');
    if (colon == std::string::npos)
        return {hostField, 21};
    FtpAddress address{hostField.substr(0, colon), 21};
    // A port is all digits and fits 1..65535; anything else means the default.
    std::string digits = hostField.substr(colon + 1);
    if (digits.empty() || digits.size() > 5 ||
        digits.find_first_not_of("0123456789") != std::string::npos)
        return address;
    unsigned long port = std::stoul(digits);
    if (port >= 1 && port <= 65535)
        address.port = static_cast<std::uint16_t>(port);
    return address;
}

} // namespace qz
