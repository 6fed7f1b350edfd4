// The machine the ZIP fuzz targets run on: a folder in memory-backed storage
// where each input is written as an archive, real paths (quicker than drive
// letters resolved without regard to case), the reader's string table.
#pragma once

#include "platform/host/HostDialogs.h"
#include "platform/host/HostResources.h"
#include "platform/host/PosixFileSystem.h"
#include "unzip/StringResource.h"
#include "unzip/resources/EmbeddedStrings.h"

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace qz::fuzz {

struct FuzzMachine {
    FuzzMachine() : root(MakeRoot()) { registerUnzipStrings(resources); }

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
    PosixFileSystem files;
    HostDialogs dialogs;
    HostResources resources;
    StringLookup strings{resources};
};

} // namespace qz::fuzz
