#include "unzip/Errors.h"

namespace qz {

std::string formatMessage(std::string_view pattern, std::string_view argument) {
    std::string out(pattern);
    for (std::size_t i = 0; i + 1 < out.size(); ++i) {
        if (out[i] == '%' && (out[i + 1] == 's' || out[i + 1] == 'd'))
            return out.replace(i, 2, argument);
    }
    return out;
}

std::string formatMessage(std::string_view pattern, long long argument) {
    return formatMessage(pattern, std::to_string(argument));
}

} // namespace qz
