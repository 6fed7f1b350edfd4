#include "platform/host/ShellLinkFile.h"

#include "text/Text.h"

#include <cstdint>

namespace qz {
namespace {

constexpr std::uint32_t HeaderSize = 0x4C;
// The class id of the shell link object, in its byte order on disk.
constexpr unsigned char LinkClassId[16] = {0x01, 0x14, 0x02, 0x00, 0x00, 0x00, 0x00, 0x00,
                                           0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46};

enum LinkFlags : std::uint32_t {
    HasTargetIdList = 0x01,
    HasLinkInfo = 0x02,
    HasName = 0x04,
    HasRelativePath = 0x08,
    HasWorkingDir = 0x10,
    HasArguments = 0x20,
    HasIconLocation = 0x40,
    IsUnicode = 0x80,
};

constexpr std::uint32_t VolumeIdAndLocalBasePath = 0x01;
// The link-info header that carries the UTF-16 offsets too.
constexpr std::uint32_t LinkInfoHeaderSize = 0x24;
constexpr std::uint32_t DriveFixed = 3;
constexpr std::uint32_t ShowNormal = 1;

void put16(std::string& out, std::uint32_t v) {
    out += static_cast<char>(v & 0xFF);
    out += static_cast<char>((v >> 8) & 0xFF);
}

void put32(std::string& out, std::uint32_t v) {
    put16(out, v & 0xFFFF);
    put16(out, v >> 16);
}

void putUtf16(std::string& out, std::u16string_view s) {
    for (char16_t c : s)
        put16(out, c);
}

// Reads little-endian numbers and strings; any read past the end marks the
// whole decoding as failed instead of throwing.
class Reader {
public:
    explicit Reader(std::string_view bytes) : bytes_(bytes) {}
    bool failed() const { return failed_; }

    std::uint32_t u16(std::size_t at) {
        if (at + 2 > bytes_.size())
            return fail();
        return byte(at) | byte(at + 1) << 8;
    }
    std::uint32_t u32(std::size_t at) { return u16(at) | u16(at + 2) << 16; }

    // A string ending in a zero unit, in single bytes or UTF-16.
    std::string zeroEnded(std::size_t at, bool wide) {
        std::u16string s;
        for (std::size_t i = at;; i += wide ? 2 : 1) {
            if (i + (wide ? 2 : 1) > bytes_.size()) {
                fail();
                return {};
            }
            char16_t c = static_cast<char16_t>(wide ? u16(i) : byte(i));
            if (c == 0)
                break;
            s += c;
        }
        return text::fromUtf16(s);
    }

    // A counted string of the string-data section; moves at past it.
    std::string counted(std::size_t& at, bool wide) {
        std::size_t count = u16(at);
        at += 2;
        std::size_t unit = wide ? 2 : 1;
        if (failed_ || at + count * unit > bytes_.size()) {
            fail();
            return {};
        }
        std::u16string s;
        for (std::size_t i = 0; i < count; ++i)
            s += static_cast<char16_t>(wide ? u16(at + 2 * i) : byte(at + i));
        at += count * unit;
        return text::fromUtf16(s);
    }

    bool matches(std::size_t at, const unsigned char* expected, std::size_t size) const {
        if (at + size > bytes_.size())
            return false;
        for (std::size_t i = 0; i < size; ++i)
            if (static_cast<unsigned char>(bytes_[at + i]) != expected[i])
                return false;
        return true;
    }

private:
    std::uint32_t byte(std::size_t at) const { return static_cast<unsigned char>(bytes_[at]); }
    std::uint32_t fail() {
        failed_ = true;
        return 0;
    }
    std::string_view bytes_;
    bool failed_ = false;
};

} // namespace

std::string encodeShellLink(const ShellLink& link) {
    std::uint32_t flags = HasLinkInfo | IsUnicode;
    if (!link.workingDirectory.empty())
        flags |= HasWorkingDir;
    if (!link.arguments.empty())
        flags |= HasArguments;
    if (!link.iconPath.empty())
        flags |= HasIconLocation;

    std::string out;
    put32(out, HeaderSize);
    out.append(reinterpret_cast<const char*>(LinkClassId), sizeof LinkClassId);
    put32(out, flags);
    put32(out, 0);           // attributes of the target
    out.append(3 * 8, '\0'); // its creation, access and write times
    put32(out, 0);           // its size
    put32(out, static_cast<std::uint32_t>(link.iconIndex));
    put32(out, ShowNormal);
    out.append(2 + 2 + 4 + 4, '\0'); // hot key and reserved fields

    // Link info: a volume id for a fixed drive without a label, the local
    // path in the ANSI form (only its ASCII part can be trusted there) and
    // in UTF-16, and an empty common suffix.
    std::u16string path = text::toUtf16(link.target);
    std::string ansiPath;
    for (char16_t c : path)
        ansiPath += c < 0x80 ? static_cast<char>(c) : '?';
    const std::uint32_t volumeIdSize = 16 + 1;
    const std::uint32_t volumeAt = LinkInfoHeaderSize;
    const std::uint32_t pathAt = volumeAt + volumeIdSize;
    const std::uint32_t suffixAt = pathAt + static_cast<std::uint32_t>(ansiPath.size()) + 1;
    const std::uint32_t pathWideAt = suffixAt + 1;
    const std::uint32_t suffixWideAt =
        pathWideAt + 2 * (static_cast<std::uint32_t>(path.size()) + 1);
    const std::uint32_t infoSize = suffixWideAt + 2;
    put32(out, infoSize);
    put32(out, LinkInfoHeaderSize);
    put32(out, VolumeIdAndLocalBasePath);
    put32(out, volumeAt);
    put32(out, pathAt);
    put32(out, 0); // no network location
    put32(out, suffixAt);
    put32(out, pathWideAt);
    put32(out, suffixWideAt);
    put32(out, volumeIdSize);
    put32(out, DriveFixed);
    put32(out, 0);  // serial number
    put32(out, 16); // label offset: the empty label right after
    out += '\0';
    out += ansiPath;
    out += '\0';
    out += '\0'; // common suffix
    putUtf16(out, path);
    put16(out, 0);
    put16(out, 0); // common suffix

    for (const std::string* s : {&link.workingDirectory, &link.arguments, &link.iconPath}) {
        if (s->empty())
            continue;
        std::u16string w = text::toUtf16(*s);
        put16(out, static_cast<std::uint32_t>(w.size()));
        putUtf16(out, w);
    }
    put32(out, 0); // no extra data blocks
    return out;
}

std::optional<ShellLink> decodeShellLink(std::string_view bytes) {
    Reader in(bytes);
    if (in.u32(0) != HeaderSize || !in.matches(4, LinkClassId, sizeof LinkClassId))
        return std::nullopt;
    const std::uint32_t flags = in.u32(20);
    ShellLink link;
    link.iconIndex = static_cast<std::int32_t>(in.u32(56));
    std::size_t at = HeaderSize;
    if (flags & HasTargetIdList)
        at += 2 + in.u16(at);
    if (!(flags & HasLinkInfo))
        return std::nullopt;
    const std::size_t info = at;
    const std::uint32_t infoSize = in.u32(info);
    const std::uint32_t infoHeader = in.u32(info + 4);
    if (!(in.u32(info + 8) & VolumeIdAndLocalBasePath))
        return std::nullopt;
    if (infoHeader >= LinkInfoHeaderSize && in.u32(info + 28) != 0)
        link.target = in.zeroEnded(info + in.u32(info + 28), true) +
                      in.zeroEnded(info + in.u32(info + 32), true);
    else
        link.target = in.zeroEnded(info + in.u32(info + 16), false) +
                      in.zeroEnded(info + in.u32(info + 24), false);
    at = info + infoSize;

    const bool wide = (flags & IsUnicode) != 0;
    if (flags & HasName)
        in.counted(at, wide);
    if (flags & HasRelativePath)
        in.counted(at, wide);
    if (flags & HasWorkingDir)
        link.workingDirectory = in.counted(at, wide);
    if (flags & HasArguments)
        link.arguments = in.counted(at, wide);
    if (flags & HasIconLocation)
        link.iconPath = in.counted(at, wide);
    if (in.failed())
        return std::nullopt;
    return link;
}

} // namespace qz
