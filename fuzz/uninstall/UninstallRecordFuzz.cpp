// Fuzz target: the input is the uninstall record found in an installation
// folder. The uninstaller runs on it as it is; then, on a fresh tree, the
// installer merges it with its own list and the uninstaller runs on the
// merged record. The file system aborts on any change outside the
// installation folder other than the installation's own links and program
// group, and on any change reached through a link, so the fuzzer keeps the
// record that made one.
#include "Uninstaller.h"
#include "installer/UninstallRecord.h"
#include "platform/host/HostDialogs.h"
#include "platform/host/HostFileSystem.h"
#include "platform/host/HostRegistry.h"
#include "platform/host/HostSystemInfo.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <unistd.h>

namespace fs = std::filesystem;

namespace qz {
namespace {

constexpr char InstallDir[] = "C:\\QZ4";
constexpr char Record[] = "C:\\QZ4\\UNINST\\qz4.log";
constexpr char Programs[] = "C:\\Users\\me\\Programs";
constexpr char Desktop[] = "C:\\Users\\me\\Desktop";
constexpr char SystemDir[] = "C:\\Windows\\System32";

class GuardedFileSystem : public HostFileSystem {
public:
    using HostFileSystem::HostFileSystem;
    bool armed = false;

    std::unique_ptr<File> open(const std::string& path, OpenMode mode) override {
        if (mode != OpenMode::Read)
            check(path);
        return HostFileSystem::open(path, mode);
    }
    bool copyFile(const std::string& from, const std::string& to, bool failIfExists) override {
        check(to);
        return HostFileSystem::copyFile(from, to, failIfExists);
    }
    bool moveFile(const std::string& from, const std::string& to, bool replaceExisting) override {
        check(from);
        check(to);
        return HostFileSystem::moveFile(from, to, replaceExisting);
    }
    bool deleteFile(const std::string& path) override {
        check(path);
        return HostFileSystem::deleteFile(path);
    }
    bool setAttributes(const std::string& path, std::uint32_t attributes) override {
        check(path);
        return HostFileSystem::setAttributes(path, attributes);
    }
    bool setLastWriteTime(const std::string& path, FileTime time) override {
        check(path);
        return HostFileSystem::setLastWriteTime(path, time);
    }
    bool createDirectory(const std::string& path) override {
        check(path);
        return HostFileSystem::createDirectory(path);
    }
    bool createDirectories(const std::string& path) override {
        check(path);
        return HostFileSystem::createDirectories(path);
    }
    bool removeDirectory(const std::string& path) override {
        check(path);
        return HostFileSystem::removeDirectory(path);
    }

private:
    // Where the change really lands: the folder it is made in, with every
    // link on the way resolved, and the name itself (a link is changed as a
    // link).
    fs::path landing(const std::string& path) const {
        fs::path host = hostPath(path);
        return fs::weakly_canonical(host.parent_path()) / host.filename();
    }
    bool within(const fs::path& where, const std::string& folder) const {
        fs::path top = fs::weakly_canonical(hostPath(folder));
        fs::path rest = where.lexically_relative(top);
        return !rest.empty() && *rest.begin() != "..";
    }
    void check(const std::string& path) const {
        if (!armed)
            return;
        const fs::path where = landing(path);
        if (where == fs::weakly_canonical(hostPath(InstallDir)) || within(where, InstallDir))
            return;
        const std::string group = std::string(Programs) + "\\Quazzle 4";
        if (where == fs::weakly_canonical(hostPath(group)))
            return;
        for (const std::string& link :
             InstallationLinkFiles(InstallDir, Programs, Desktop, SystemDir))
            if (where == landing(link))
                return;
        std::fprintf(stderr, "changed outside the installation: %s\n", path.c_str());
        std::abort();
    }
};

struct Machine {
    Machine() : root(makeRoot()), files(root) {
        system.specialFolders[SpecialFolder::Programs] = Programs;
        system.specialFolders[SpecialFolder::Desktop] = Desktop;
        system.ansi = 1251;
    }
    static fs::path makeRoot() {
        fs::path base = fs::exists("/dev/shm") ? fs::path("/dev/shm") : fs::temp_directory_path();
        return base / ("qz4-uninstall-fuzz-" + std::to_string(::getpid()));
    }
    void write(const std::string& path, const std::string& bytes) {
        files.createDirectories(path.substr(0, path.find_last_of('\\')));
        auto file = files.open(path, OpenMode::Create);
        if (!file)
            std::abort(); // the scratch tree itself could not be made
        file->write(bytes.data(), bytes.size());
        file->close();
    }
    // An installation with the user's documents beside it, a link from the
    // installation into them, and files of the system and of other programs.
    void build(const std::string& record) {
        files.armed = false;
        fs::remove_all(root);
        fs::create_directories(root / "C"); // the drive the tree lies on
        for (const char* file :
             {"C:\\QZ4\\QZ4Demo.exe", "C:\\QZ4\\a", "C:\\QZ4\\LIB\\core.dll",
              "C:\\QZ4\\SAMPLES\\one.pas", "C:\\Users\\me\\Documents\\essay.txt",
              "C:\\Users\\me\\Documents\\a", "C:\\Users\\me\\Programs\\Quazzle 4\\QZ4 Demo.lnk",
              "C:\\Users\\me\\Programs\\Other\\other.lnk", "C:\\Users\\me\\Desktop\\QZ4 Panel.lnk",
              "C:\\Windows\\System32\\kernel32.dll", "C:\\QZ4Other\\tool.exe"})
            write(file, "x");
        fs::create_directory_symlink(files.hostPath("C:\\Users\\me\\Documents"),
                                     files.hostPath("C:\\QZ4\\SAMPLES") / "docs");
        fs::create_symlink(files.hostPath("C:\\Windows\\System32\\kernel32.dll"),
                           files.hostPath("C:\\QZ4\\LIB") / "kernel.dll");
        write(Record, record);
        files.armed = true;
    }
    void uninstall() {
        dialogs.messageAnswers = {DialogButton::Yes, DialogButton::Ok};
        demo::Uninstaller(files, dialogs, system, registry).run({Record});
        dialogs.messages.clear();
    }

    fs::path root;
    GuardedFileSystem files;
    HostDialogs dialogs;
    HostSystemInfo system;
    HostRegistry registry;
};

} // namespace
} // namespace qz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static qz::Machine m;
    const std::string record(reinterpret_cast<const char*>(data), size);
    m.build(record);
    m.uninstall();

    m.build(record);
    const qz::InstallationBounds bounds(
        qz::InstallDir,
        qz::InstallationLinkFiles(qz::InstallDir, qz::Programs, qz::Desktop, qz::SystemDir));
    qz::WriteUninstallRecord(m.files, qz::Record, {"new|", "C:\\QZ4\\QZ4Demo.exe"}, bounds,
                             {m.system.codePages(), 1251});
    m.uninstall();
    return 0;
}
