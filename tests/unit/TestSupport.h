// What every native suite needs: a throw-away machine (a folder tree as
// drives C: and D:, an in-memory registry, scripted dialogs) and the
// third-party fixtures beside the repository.
#pragma once

#include "platform/Platform.h"
#include "platform/host/HostDialogs.h"
#include "platform/host/HostFileSystem.h"
#include "platform/host/HostRegistry.h"
#include "platform/host/HostResources.h"
#include "platform/host/HostShell.h"
#include "platform/host/HostSystemInfo.h"

#include <filesystem>
#include <optional>
#include <string>

namespace qz::test {

class TestMachine {
public:
    TestMachine();
    ~TestMachine();
    TestMachine(const TestMachine&) = delete;
    TestMachine& operator=(const TestMachine&) = delete;

    // Writes bytes to a Windows path, creating missing folders.
    void writeFile(const std::string& path, const std::string& bytes);
    // The file's bytes, or nothing when it cannot be read.
    std::optional<std::string> readFile(const std::string& path) const;

    std::filesystem::path root;
    HostFileSystem files;
    HostRegistry registry;
    HostSystemInfo system;
    HostDialogs dialogs;
    HostResources resources;
    HostShell shell{files};
    Platform platform{files, registry, system, dialogs, resources, shell};
};

// Sets the process's time zone (a TZ value such as "UTC-3") until destroyed,
// then gives back the previous one.
class ScopedTimeZone {
public:
    explicit ScopedTimeZone(const char* tz);
    ~ScopedTimeZone();
    ScopedTimeZone(const ScopedTimeZone&) = delete;
    ScopedTimeZone& operator=(const ScopedTimeZone&) = delete;

private:
    std::optional<std::string> previous_;
};

// Folder of the third-party fixtures (for example "zip"); the calling test is
// skipped with a message when it is absent.
std::filesystem::path fixtures(const std::string& subfolder);

} // namespace qz::test

// Skips the current test when the fixtures are missing: use at the top of a test.
#define QZ4_FIXTURES_OR_SKIP(var, sub)                                                             \
    auto var = ::qz::test::fixtures(sub);                                                          \
    if (var.empty())                                                                               \
    GTEST_SKIP() << "fixtures folder " << (sub) << " not found beside the repository"
