// Executable detection for every environment over a large synthetic
// installation tree, against `find` walking the same tree once.
//
//   bench_detection [--files N] [--root DIR]
//
// The tree (about N files; 200 000 by default) is built under DIR/C and DIR/D
// on the first run and reused while its size matches. Most of it lies where
// detection searches: two Visual Studio trees (2019 without devenv.exe, so
// that search runs to the end; 2022 with devenv.exe in its last, deepest
// folder), a JetBrains tree with PyCharm deep inside and no RubyMine, an
// RStudio tree without rstudio.exe; the rest is unrelated software.
#include "environments/EnvironmentCatalogue.h"
#include "environments/ExecutableDetection.h"
#include "platform/host/HostDialogs.h"
#include "platform/host/HostFileSystem.h"
#include "platform/host/HostRegistry.h"
#include "platform/host/HostResources.h"
#include "platform/host/HostShell.h"
#include "platform/host/HostSystemInfo.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <sys/resource.h>

namespace fs = std::filesystem;

namespace {

constexpr int kFilesPerFolder = 24;
constexpr int kSubfolders = 6;

struct TreeCount {
    long files = 0;
    long folders = 0;
};

void touch(const fs::path& path) {
    std::ofstream(path, std::ios::binary).put('x');
}

// Spreads `files` files over a folder tree: a folder holds up to
// kFilesPerFolder of them and hands the rest to its subfolders. Returns the
// last (deepest, last listed) folder.
fs::path grow(const fs::path& dir, long files, TreeCount& count) {
    fs::create_directories(dir);
    ++count.folders;
    long here = std::min<long>(files, kFilesPerFolder);
    for (long i = 0; i < here; ++i)
        touch(dir / (std::to_string(i).insert(0, 1, 'f') + (i % 3 ? ".dll" : ".dat")));
    count.files += here;
    long rest = files - here;
    fs::path last = dir;
    for (int s = 0; s < kSubfolders && rest > 0; ++s) {
        long share = rest / (kSubfolders - s);
        last = grow(dir / std::to_string(s).insert(0, 1, 'd'), share, count);
        rest -= share;
    }
    return last;
}

TreeCount build(const fs::path& root, long total) {
    TreeCount count;
    fs::path pf = root / "C" / "Program Files (x86)";
    fs::path vs = pf / "Microsoft Visual Studio";
    grow(vs / "2019" / "Professional" / "Common7" / "IDE", total * 25 / 100, count);
    fs::path deepest = grow(vs / "2022" / "Community" / "Common7" / "IDE", total * 25 / 100, count);
    touch(deepest / "devenv.exe");
    fs::path pycharm = grow(pf / "JetBrains" / "PyCharm 2023.2", total * 15 / 100, count);
    touch(pycharm / "pycharm64.exe");
    grow(pf / "RStudio", total * 5 / 100, count);
    grow(pf / "Common Files", total * 15 / 100, count);
    grow(root / "C" / "Program Files" / "Vendor", total * 10 / 100, count);
    grow(root / "D" / "Data", total - count.files, count);
    fs::create_directories(root / "C" / "Users" / "student" / "AppData" / "Roaming");
    return count;
}

double seconds(std::chrono::steady_clock::duration d) {
    return std::chrono::duration<double>(d).count();
}

// Processor time (user and system) of this process or of its finished children.
double processorSeconds(int who) {
    rusage usage{};
    getrusage(who, &usage);
    auto sum = [](const timeval& t) { return t.tv_sec + t.tv_usec / 1e6; };
    return sum(usage.ru_utime) + sum(usage.ru_stime);
}

struct Timing {
    double wall;      // median
    double processor; // median
};

// Wall and processor time of `runs` runs; `who` says whose processor time counts.
template <class Run> Timing measure(int runs, int who, Run run) {
    std::vector<double> wall, processor;
    for (int i = 0; i < runs; ++i) {
        double cpu = processorSeconds(who);
        auto start = std::chrono::steady_clock::now();
        run();
        wall.push_back(seconds(std::chrono::steady_clock::now() - start));
        processor.push_back(processorSeconds(who) - cpu);
    }
    std::sort(wall.begin(), wall.end());
    std::sort(processor.begin(), processor.end());
    return {wall[wall.size() / 2], processor[processor.size() / 2]};
}

} // namespace

int main(int argc, char** argv) {
    long total = 200000;
    fs::path root = fs::temp_directory_path() / "qz4-detection-bench";
    for (int i = 1; i + 1 < argc; i += 2) {
        std::string opt = argv[i];
        if (opt == "--files")
            total = std::atol(argv[i + 1]);
        else if (opt == "--root")
            root = argv[i + 1];
    }

    fs::path stamp = root / "tree.txt";
    TreeCount count;
    if (std::ifstream in(stamp); !(in >> count.files >> count.folders) || count.files != total) {
        std::printf("building a tree of %ld files under %s ...\n", total, root.c_str());
        fs::remove_all(root);
        count = build(root, total);
        std::ofstream(stamp) << count.files << ' ' << count.folders << '\n';
    }

    qz::HostFileSystem files(root);
    qz::HostRegistry registry;
    registry.writeString(qz::RegistryRoot::LocalMachine,
                         "SOFTWARE\\Microsoft\\Windows\\CurrentVersion", "ProgramFilesDir",
                         "C:\\Program Files (x86)");
    qz::HostSystemInfo system;
    system.environment["APPDATA"] = "C:\\Users\\student\\AppData\\Roaming";
    qz::HostDialogs dialogs;
    qz::HostResources resources;
    qz::HostShell shell;
    qz::Platform platform{files, registry, system, dialogs, resources, shell};

    qz::EnvironmentCatalogue catalogue(platform, "C:\\QZ4\\");
    catalogue.fill();
    std::vector<int> present;
    for (int slot = 1; slot <= qz::kSlotCount; ++slot)
        if (catalogue.entry(slot).occupied())
            present.push_back(slot);

    int found = 0;
    auto detectAll = [&] {
        // One detector per start-up, as the main window uses it.
        qz::ExecutableDetector detector(platform);
        found = 0;
        for (int slot : present)
            found += !detector.DetectExecutable(catalogue, slot).empty();
    };
    std::string findCommand = "find '" + root.string() + "' -iname devenv.exe > /dev/null";
    auto runFind = [&] {
        if (std::system(findCommand.c_str()) != 0)
            std::fprintf(stderr, "find failed\n");
    };

    runFind(); // warm the cache for both
    detectAll();
    const int runs = 5;
    Timing detection = measure(runs, RUSAGE_SELF, detectAll);
    Timing find = measure(runs, RUSAGE_CHILDREN, runFind);
    double load[1] = {0};
    getloadavg(load, 1);
    std::printf("tree: %ld files in %ld folders; load average %.2f\n", count.files, count.folders,
                load[0]);
    std::printf("detection: %zu environments, %d executables found: %.3f s wall, %.3f s processor "
                "(medians of %d)\n",
                present.size(), found, detection.wall, detection.processor, runs);
    std::printf("find -iname devenv.exe: %.3f s wall, %.3f s processor\n", find.wall,
                find.processor);
    std::printf("ratio detection / find: %.2f wall, %.2f processor (goal: at most 1.50)\n",
                detection.wall / find.wall, detection.processor / find.processor);
    return 0;
}
