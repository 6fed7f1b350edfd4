#include "platform/host/HostCodePages.h"

#include "text/Text.h"

namespace qz {

std::string HostCodePages::decode(std::string_view bytes, unsigned codePage) const {
    if (!text::isKnownCodePage(codePage))
        throw UnsupportedCodePage(codePage);
    return text::decode(bytes, codePage);
}

std::string HostCodePages::encode(std::string_view utf8, unsigned codePage) const {
    if (!text::isKnownCodePage(codePage))
        throw UnsupportedCodePage(codePage);
    return text::encode(utf8, codePage);
}

} // namespace qz
