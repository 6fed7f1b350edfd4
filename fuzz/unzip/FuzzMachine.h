// The machine the ZIP fuzz targets run on: a folder tree in memory-backed
// storage where each input is written as an archive, with the reader's
// string table registered.
#pragma once

#include "platform/host/HostDialogs.h"
#include "platform/host/HostFileSystem.h"
#include "platform/host/HostResources.h"
#include "unzip/StringResource.h"
#include "unzip/resources/EmbeddedStrings.h"

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace qz::fuzz {

struct FuzzMachine {
    FuzzMachine() : root(MakeRoot()), files(root) { registerUnzipStrings(resources); }

    static std::filesystem::path MakeRoot() {
        std::filesystem::path base = std::filesystem::exists("/dev/shm")
                                         ? std::filesystem::path("/dev/shm")
                                         : std::filesystem::temp_directory_path();
        auto root = base / ("qz4-unzip-fuzz-" + std::to_string(::getpid()));
        std::filesystem::create_directories(root / "C");
        return root;
    }

    // Writes the input as C:\fuzz.zip and returns that path.
    std::string WriteArchive(const std::uint8_t* data, std::size_t size) {
        std::ofstream(root / "C" / "fuzz.zip", std::ios::binary | std::ios::trunc)
            .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
        return "C:\\fuzz.zip";
    }

    std::filesystem::path root;
    HostFileSystem files;
    HostDialogs dialogs;
    HostResources resources;
    StringLookup strings{resources};
};

} // namespace qz::fuzz
