// qz4unzip: lists, tests and extracts ZIP archives with the program's own
// reader, for benchmarks, fuzz findings and damaged archives.
//
//   qz4unzip [-P password] -l archive [pattern ...]
//   qz4unzip [-P password] [-j threads] -t archive [pattern ...]
//   qz4unzip [-P password] [-j threads] -x archive [destdir] [pattern ...]
//   qz4unzip -h | --help
//
// Exit codes: 0 all went well, 1 some entries failed, 2 the archive could
// not be read (or the command line was wrong).
#include "DiscardingFileSystem.h"
#include "ToolPorts.h"
#include "platform/DosDateTime.h"
#include "unzip/Errors.h"
#include "unzip/QzUnZip.h"
#include "unzip/WildcardMatch.h"
#include "unzip/decoders/Decoder.h"

#include <algorithm>
#include <cstdio>
#include <exception>
#include <string>
#include <vector>

#ifdef _WIN32
#include <io.h>
#define QZ4_ISATTY(fd) _isatty(fd)
#else
#include <unistd.h>
#define QZ4_ISATTY(fd) isatty(fd)
#endif

namespace qz::tool {
namespace {

const char* const kUsage =
    "usage: qz4unzip [-P password] -l archive [pattern ...]\n"
    "       qz4unzip [-P password] [-j threads] -t archive [pattern ...]\n"
    "       qz4unzip [-P password] [-j threads] -x archive [destdir] [pattern ...]\n"
    "       qz4unzip -h | --help\n"
    "  -l list, -t test every CRC writing nothing, -x extract (folders recreated,\n"
    "  existing files replaced); patterns use * ? and <a-z>, with / or \\;\n"
    "  -j threads that decode ahead (default: one fewer than the cores, at least one; 0: none)\n";

struct Options {
    char mode = 0; // 'l', 't', 'x', or 'h' for the usage
    std::string password;
    int threads = -1; // -1: the reader's default
    std::string archive;
    std::string destination = ".";
    std::vector<std::string> patterns;
};

bool IsCount(const std::string& text) {
    return !text.empty() && text.size() <= 3 &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

bool Parse(const std::vector<std::string>& args, Options& options) {
    if (args.size() == 1 && (args[0] == "-h" || args[0] == "--help")) {
        options.mode = 'h';
        return true;
    }
    std::size_t i = 0;
    for (; i < args.size() && args[i].size() == 2 && args[i][0] == '-'; ++i) {
        char flag = args[i][1];
        if (flag == 'P' && i + 1 < args.size())
            options.password = args[++i];
        else if (flag == 'j' && i + 1 < args.size() && IsCount(args[i + 1]))
            options.threads = std::stoi(args[++i]);
        else if ((flag == 'l' || flag == 't' || flag == 'x') && !options.mode)
            options.mode = flag;
        else
            return false;
    }
    if (!options.mode || i >= args.size())
        return false;
    options.archive = args[i++];
    if (options.mode == 'x' && i < args.size())
        options.destination = args[i++];
    for (; i < args.size(); ++i) {
        std::string pattern = args[i];
        std::replace(pattern.begin(), pattern.end(), '/', '\\');
        options.patterns.push_back(pattern);
    }
    return true;
}

std::string MethodName(const TZipHeaderInfo& e) {
    static const char* const names[] = {"Stored",  "Shrunk",  "Reduce1", "Reduce2", "Reduce3",
                                        "Reduce4", "Implode", "M7",      "Deflate"};
    std::string name = e.compressionMethod < 9
                           ? names[e.compressionMethod]
                           : std::string("M").append(std::to_string(e.compressionMethod));
    return e.IsEncrypted() ? name + "*" : name;
}

// Lists the entries the patterns select (all without patterns).
int List(TQzUnZip& zip, const Options& options) {
    std::printf("  Length     Size  Method   Date       Time     CRC-32    Name\n");
    std::printf("--------  -------  -------- ---------- -------- --------  ----\n");
    std::uint64_t length = 0, size = 0;
    int count = 0;
    for (int i = 0; i < zip.Count(); ++i) {
        const TZipHeaderInfo& e = zip.Entry(i);
        if (!options.patterns.empty() && !MatchesAnyPattern(e.FullName(), options.patterns))
            continue;
        DosDateTime stamp = DosDateTime::unpack(e.lastModFileDateTime);
        std::printf("%8u  %7u  %-8s %04u-%02u-%02u %02u:%02u:%02u %08x  %s\n",
                    static_cast<unsigned>(e.uncompressedSize),
                    static_cast<unsigned>(e.compressedSize), MethodName(e).c_str(), stamp.year,
                    stamp.month, stamp.day, stamp.hour, stamp.minute, stamp.second,
                    static_cast<unsigned>(e.crc32), e.FullName().c_str());
        length += e.uncompressedSize;
        size += e.compressedSize;
        ++count;
    }
    std::printf("--------  -------                                       ----\n");
    std::printf("%8llu  %7llu                                       %d entries\n",
                static_cast<unsigned long long>(length), static_cast<unsigned long long>(size),
                count);
    return 0;
}

const char* SkipText(TSkipReason reason) {
    switch (reason) {
    case TSkipReason::srBadPassword:
        return "wrong password, skipped";
    case TSkipReason::srNoOverwrite:
        return "exists, skipped";
    case TSkipReason::srFileOpenError:
        return "path leaves the destination folder, skipped";
    }
    return "skipped";
}

// Extracts (or tests) the selected entries; every failure gets one line.
int Extract(TQzUnZip& zip, const Options& options) {
    zip.DoAll = options.patterns.empty();
    zip.FilesList = options.patterns;
    zip.RecreateDirs = true;
    zip.OverwriteMode = TUZOverwriteMode::Always;
    zip.Password = options.password;
    // No window to keep alive: entries are decoded ahead on every core.
    zip.DoProcessMessages = false;
    if (options.threads >= 0)
        zip.DecodeThreads = options.threads;
    zip.SetDestDir(options.destination);

    std::vector<bool> reported(static_cast<std::size_t>(zip.Count()));
    int failures = 0;
    auto fail = [&](int index, const std::string& name, const std::string& what) {
        std::fprintf(stderr, "qz4unzip: %s: %s\n", name.c_str(), what.c_str());
        reported[static_cast<std::size_t>(index)] = true;
        ++failures;
    };
    int selected = 0;
    zip.OnStartUnZipInfo = [&](TQzUnZip&, int files, std::int64_t, bool&) { selected = files; };
    zip.OnEndUnZip = [&](TQzUnZip&, int index, const std::string&) {
        reported[static_cast<std::size_t>(index)] = true;
    };
    zip.OnSkippingFile = [&](TQzUnZip&, TSkipReason reason, const std::string& name, int index) {
        fail(index, name, SkipText(reason));
    };
    zip.OnBadCRC = [&](TQzUnZip& sender, std::uint32_t computed, std::uint32_t stored, int index) {
        char text[80];
        std::snprintf(text, sizeof text, "CRC error (stored %08x, computed %08x)", stored,
                      computed);
        fail(index, sender.Entry(index).FullName(), text);
    };
    if (QZ4_ISATTY(2)) {
        int shown = -1;
        zip.OnTotalPercentDone = [&](TQzUnZip&, int percent) {
            if (percent != shown)
                std::fprintf(stderr, "\r%3d%%", shown = percent);
        };
    }

    zip.UnZip();
    if (QZ4_ISATTY(2))
        std::fprintf(stderr, "\r    \r");
    // The one failure without an event of its own: a method the reader does not know.
    for (int i = 0; i < zip.Count(); ++i) {
        const TZipHeaderInfo& e = zip.Entry(i);
        if (e.selected && !e.IsDirectory() && !reported[static_cast<std::size_t>(i)])
            fail(i, e.FullName(),
                 "unsupported compression method " + std::to_string(e.compressionMethod) +
                     ((e.flags & kFlagStrongEncryption) ? " or strong encryption" : "") +
                     ", skipped");
    }
    if (options.mode == 't') {
        if (failures == 0)
            std::printf("No errors detected in %s (%d entries)\n", options.archive.c_str(),
                        selected);
        else
            std::printf("%d of %d entries failed in %s\n", failures, selected,
                        options.archive.c_str());
    }
    return failures == 0 ? 0 : 1;
}

int Main(int argc, char** argv) {
    auto ports = MakeToolPorts(argc, argv);
    Options options;
    if (!Parse(ports->arguments(), options)) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    if (options.mode == 'h') {
        std::fputs(kUsage, stdout);
        return 0;
    }
    Platform& real = ports->platform();
    DiscardingFileSystem discarding(real.files);
    Platform platform{options.mode == 't' ? static_cast<FileSystem&>(discarding) : real.files,
                      real.registry,
                      real.system,
                      real.dialogs,
                      real.resources,
                      real.shell};
    try {
        if (!real.files.fileExists(options.archive)) {
            std::fprintf(stderr, "qz4unzip: %s: no such file\n", options.archive.c_str());
            return 2;
        }
        TQzUnZip zip(platform);
        zip.SetZipName(options.archive);
        return options.mode == 'l' ? List(zip, options) : Extract(zip, options);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "qz4unzip: %s: %s\n", options.archive.c_str(), e.what());
        return 2;
    }
}

} // namespace
} // namespace qz::tool

int main(int argc, char** argv) {
    return qz::tool::Main(argc, argv);
}
