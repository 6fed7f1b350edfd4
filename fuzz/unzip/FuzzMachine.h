// The machine the ZIP fuzz targets run on: a folder in memory-backed storage
// where each input is written as an archive, real paths (quicker than drive
// letters resolved without regard to case), the reader's string table.
#pragma once

#include "platform/host/HostDialogs.h"
#include "platform/host/HostResources.h"
#include "platform/host/PosixFileSystem.h"
#include "unzip/StringResource.h"
#include "unzip/resources/EmbeddedStrings.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace qz::fuzz {

// The host's own paths, every change checked: the reader may change nothing
// outside the scratch folder. A change elsewhere aborts, so the fuzzer
// keeps the input that made it.
class ScratchOnlyFileSystem : public PosixFileSystem {
public:
    explicit ScratchOnlyFileSystem(std::filesystem::path scratch)
        : scratch_(scratch.lexically_normal()) {}

    std::unique_ptr<File> open(const std::string& path, OpenMode mode) override {
        if (mode != OpenMode::Read)
            Check(path);
        return PosixFileSystem::open(path, mode);
    }
    bool copyFile(const std::string& from, const std::string& to, bool failIfExists) override {
        Check(to);
        return PosixFileSystem::copyFile(from, to, failIfExists);
    }
    bool moveFile(const std::string& from, const std::string& to, bool replaceExisting) override {
        Check(from);
        Check(to);
        return PosixFileSystem::moveFile(from, to, replaceExisting);
    }
    bool deleteFile(const std::string& path) override {
        Check(path);
        return PosixFileSystem::deleteFile(path);
    }
    bool setAttributes(const std::string& path, std::uint32_t attributes) override {
        Check(path);
        return PosixFileSystem::setAttributes(path, attributes);
    }
    bool setLastWriteTime(const std::string& path, FileTime time) override {
        Check(path);
        return PosixFileSystem::setLastWriteTime(path, time);
    }
    bool createDirectory(const std::string& path) override {
        Check(path);
        return PosixFileSystem::createDirectory(path);
    }
    bool createDirectories(const std::string& path) override {
        Check(path);
        return PosixFileSystem::createDirectories(path);
    }
    bool removeDirectory(const std::string& path) override {
        Check(path);
        return PosixFileSystem::removeDirectory(path);
    }

private:
    // Windows paths: "\" separates as "/" does.
    void Check(const std::string& path) const {
        std::string host = path;
        std::replace(host.begin(), host.end(), '\\', '/');
        std::filesystem::path inside =
            std::filesystem::path(host).lexically_normal().lexically_relative(scratch_);
        if (inside.empty() || *inside.begin() == "..") {
            std::fprintf(stderr, "changed outside the scratch folder: %s\n", path.c_str());
            std::abort();
        }
    }

    std::filesystem::path scratch_;
};

struct FuzzMachine {
    FuzzMachine() : root(MakeRoot()), files(root / "out") { registerUnzipStrings(resources); }

    static std::filesystem::path MakeRoot() {
        std::filesystem::path base = std::filesystem::exists("/dev/shm")
                                         ? std::filesystem::path("/dev/shm")
                                         : std::filesystem::temp_directory_path();
        auto root = base / ("qz4-unzip-fuzz-" + std::to_string(::getpid()));
        std::filesystem::create_directories(root);
        return root;
    }

    // Writes the input as fuzz.zip and returns its path.
    std::string WriteArchive(const std::uint8_t* data, std::size_t size) {
        std::ofstream(root / "fuzz.zip", std::ios::binary | std::ios::trunc)
            .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
        return (root / "fuzz.zip").string();
    }
    // The scratch folder extracted entries go to.
    std::string Scratch() const { return (root / "out").string(); }

    std::filesystem::path root;
    ScratchOnlyFileSystem files;
    HostDialogs dialogs;
    HostResources resources;
    StringLookup strings{resources};
};

} // namespace qz::fuzz
