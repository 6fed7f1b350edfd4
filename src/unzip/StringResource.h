// String tables carried as custom resources of type "S_STRINGTABLE": records
// of a 16-bit id, a length byte and that many bytes of text, ended by id 0.
#pragma once

#include "platform/Resources.h"

#include <cstdint>
#include <map>
#include <memory>
#include <span>
#include <string>

namespace qz {

inline constexpr const char* kStringTableType = "S_STRINGTABLE";
// The table of the buffered streams' error texts.
inline constexpr const char* kStreamStrings = "S_STREAM";

// Ids in "S_STREAM".
enum StreamStringId : std::uint16_t {
    SSeekError = 1,
    SInvalidSeekOrigin = 2,
    SPutbackOverflow = 3,
};

// One loaded table.
class TS_StringResource {
public:
    // Raises EUnzipError "No such string resource: <name>" when the program
    // carries no table of that name.
    TS_StringResource(const Resources& resources, const std::string& name);
    // The text of the record with this id; empty when there is none.
    std::string lookup(std::uint16_t id) const;

private:
    std::span<const std::uint8_t> bytes_;
};

// The loaded tables by name: each is loaded on first use and kept.
class StringLookup {
public:
    explicit StringLookup(const Resources& resources) : resources_(resources) {}
    std::string lookup(const std::string& name, std::uint16_t id);

private:
    const Resources& resources_;
    std::map<std::string, std::unique_ptr<TS_StringResource>> tables_;
};

} // namespace qz
