#include "unzip/StringResource.h"

#include "unzip/Errors.h"
#include "unzip/LittleEndian.h"

namespace qz {

TS_StringResource::TS_StringResource(const Resources& resources, const std::string& name) {
    auto found = resources.find(kStringTableType, name);
    if (!found)
        throw EUnzipError(formatMessage("No such string resource: %s", name));
    bytes_ = *found;
}

std::string TS_StringResource::lookup(std::uint16_t id) const {
    // A record that claims more bytes than the table holds ends the search.
    std::size_t at = 0;
    while (at + 3 <= bytes_.size()) {
        std::uint16_t recordId = Get16(&bytes_[at]);
        std::size_t length = bytes_[at + 2];
        if (recordId == 0 || at + 3 + length > bytes_.size())
            break;
        if (recordId == id)
            return std::string(reinterpret_cast<const char*>(&bytes_[at + 3]), length);
        at += 3 + length;
    }
    return {};
}

std::string StringLookup::lookup(const std::string& name, std::uint16_t id) {
    auto& table = tables_[name];
    if (!table)
        table = std::make_unique<TS_StringResource>(resources_, name);
    return table->lookup(id);
}

} // namespace qz
