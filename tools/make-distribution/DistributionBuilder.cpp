#include "DistributionBuilder.h"

#include "installer/DistributionPassword.h"
#include "installer/InstallerSetup.h"
#include "text/Text.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <system_error>

#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

namespace qz::distribution {

namespace fs = std::filesystem;

namespace {

constexpr char Usage[] = "usage: make-distribution [--ini FILE] [--readme FILE] [--readme-en FILE] "
                         "[--licence FILE] [--licence-en FILE] EXE SOURCE_DIR OUT.exe";

void Collect(const fs::path& folder, const std::string& prefix, std::vector<std::string>& out) {
    std::vector<std::string> files, folders;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
        std::string name = entry.path().filename().string();
        if (entry.is_directory())
            folders.push_back(name);
        else if (entry.is_regular_file())
            files.push_back(name);
    }
    std::sort(files.begin(), files.end());
    std::sort(folders.begin(), folders.end());
    for (const std::string& name : files)
        out.push_back(prefix + name);
    for (const std::string& name : folders)
        Collect(folder / name, prefix + name + "/", out);
}

// Entry names are stored as the installer reads names without the UTF-8
// flag, which zip does not set: in the OEM code page of a Russian system.
constexpr unsigned EntryCodePage = 866;

std::string EntryNameBytes(const std::string& utf8) {
    std::string bytes = text::encode(utf8, EntryCodePage, '\0');
    // Control characters are no part of a Windows name (and a line break
    // would split the list that zip reads).
    if (std::any_of(bytes.begin(), bytes.end(), [](char c) { return c >= 0 && c < ' '; }))
        throw Error("the name \"" + utf8 + "\" cannot be written in code page 866");
    return bytes;
}

// The tree as zip must see it: entry names in the entry code page. Files are
// hard links where the file system allows, copies with their times otherwise.
class StagingTree {
public:
    StagingTree() {
        std::string pattern = (fs::temp_directory_path() / "make-distribution-XXXXXX").string();
        if (!::mkdtemp(pattern.data()))
            throw Error("cannot create a staging folder: " + std::string(std::strerror(errno)));
        root_ = pattern;
    }
    ~StagingTree() {
        std::error_code ec;
        fs::remove_all(root_, ec);
    }
    StagingTree(const StagingTree&) = delete;
    StagingTree& operator=(const StagingTree&) = delete;

    const fs::path& root() const { return root_; }

    // Places sourceDir/entry under its encoded name, which it returns.
    std::string add(const fs::path& sourceDir, const std::string& entry) {
        std::string name = EntryNameBytes(entry);
        fs::path from = sourceDir / entry, to = root_ / name;
        std::error_code ec;
        fs::create_directories(to.parent_path(), ec);
        fs::create_hard_link(from, to, ec);
        if (ec) {
            ec.clear();
            fs::copy_file(from, to, ec);
            if (!ec)
                fs::last_write_time(to, fs::last_write_time(from), ec);
        }
        if (ec)
            throw Error("cannot stage \"" + from.string() + "\": " + ec.message());
        return name;
    }

private:
    fs::path root_;
};

void RequireFile(const std::optional<fs::path>& file, const char* what) {
    if (file && !fs::is_regular_file(*file))
        throw Error(std::string(what) + " \"" + file->string() + "\" is not found");
}

void WriteAll(int fd, const std::string& bytes) {
    for (std::size_t done = 0; done < bytes.size();) {
        ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            throw Error("cannot hand the file list to zip: " + std::string(std::strerror(errno)));
        done += static_cast<std::size_t>(n);
    }
}

// Runs `zip` in the source folder with the entry names on its standard input.
// The password goes on zip's command line, which is how Info-ZIP takes one
// without a terminal; this is a build machine's tool, not a user's.
void RunZip(const fs::path& zip, const fs::path& sourceDir, const fs::path& archive,
            const std::vector<std::string>& entries) {
    int pipeFds[2];
    if (::pipe(pipeFds) != 0)
        throw Error("cannot start zip: " + std::string(std::strerror(errno)));
    pid_t child = ::fork();
    if (child < 0)
        throw Error("cannot start zip: " + std::string(std::strerror(errno)));
    if (child == 0) {
        ::dup2(pipeFds[0], STDIN_FILENO);
        ::close(pipeFds[0]);
        ::close(pipeFds[1]);
        if (::chdir(sourceDir.c_str()) != 0)
            ::_exit(126);
        ::setenv("LC_ALL", "C", 1); // names are bytes of the entry code page
        std::string zipPath = zip.string(), archivePath = archive.string();
        char password[sizeof DistributionPassword];
        std::memcpy(password, DistributionPassword, sizeof password);
        char arg0[] = "zip", quiet[] = "-q", noExtra[] = "-X", noFolders[] = "-D", pass[] = "-P",
             fromInput[] = "-@";
        char* argv[] = {arg0,   quiet,    noExtra,   noFolders,
                        pass,   password, fromInput, archivePath.data(),
                        nullptr};
        ::execv(zipPath.c_str(), argv);
        ::_exit(127);
    }
    ::close(pipeFds[0]);
    std::string names;
    for (const std::string& entry : entries)
        names += entry + "\n";
    try {
        WriteAll(pipeFds[1], names);
    } catch (...) {
        ::close(pipeFds[1]);
        ::waitpid(child, nullptr, 0);
        throw;
    }
    ::close(pipeFds[1]);
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        throw Error("zip failed (exit status " +
                    std::to_string(WIFEXITED(status) ? WEXITSTATUS(status) : -1) + ") writing \"" +
                    archive.string() + "\"");
}

void CopyInto(const fs::path& from, const fs::path& to) {
    std::error_code ec;
    fs::copy_file(from, to, fs::copy_options::overwrite_existing, ec);
    if (ec)
        throw Error("cannot copy \"" + from.string() + "\" to \"" + to.string() +
                    "\": " + ec.message());
}

} // namespace

Request ParseArguments(const std::vector<std::string>& arguments) {
    Request request;
    std::vector<std::string> positional;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& arg = arguments[i];
        std::optional<fs::path>* option = arg == "--ini"          ? &request.ini
                                          : arg == "--readme"     ? &request.readme
                                          : arg == "--readme-en"  ? &request.readmeEn
                                          : arg == "--licence"    ? &request.licence
                                          : arg == "--licence-en" ? &request.licenceEn
                                                                  : nullptr;
        if (option) {
            if (i + 1 == arguments.size())
                throw Error(arg + " needs a file\n" + Usage);
            *option = arguments[++i];
        } else if (arg.starts_with("--")) {
            throw Error("unknown option " + arg + "\n" + Usage);
        } else {
            positional.push_back(arg);
        }
    }
    if (positional.size() != 3)
        throw Error(Usage);
    request.exe = positional[0];
    request.sourceDir = positional[1];
    request.out = positional[2];
    return request;
}

std::vector<std::string> ArchiveEntries(const fs::path& sourceDir) {
    std::vector<std::string> entries;
    Collect(sourceDir, "", entries);
    return entries;
}

std::optional<fs::path> FindProgram(const std::string& name, const std::string& searchPath) {
    for (std::size_t start = 0; start <= searchPath.size();) {
        std::size_t end = searchPath.find(':', start);
        if (end == std::string::npos)
            end = searchPath.size();
        fs::path candidate = fs::path(searchPath.substr(start, end - start)) / name;
        if (end > start && fs::is_regular_file(candidate) && ::access(candidate.c_str(), X_OK) == 0)
            return candidate;
        start = end + 1;
    }
    return std::nullopt;
}

void MakeDistribution(const Request& request, const std::optional<fs::path>& zip) {
    if (!fs::is_regular_file(request.exe))
        throw Error("the executable \"" + request.exe.string() + "\" is not found");
    if (!fs::is_directory(request.sourceDir))
        throw Error("the folder \"" + request.sourceDir.string() + "\" is not found");
    std::string extension = request.out.extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (extension != ".exe")
        throw Error("the distribution's name \"" + request.out.string() +
                    "\" must end in .exe: the installer looks for its archive by that name");
    RequireFile(request.ini, "the ini file");
    RequireFile(request.readme, "the readme");
    RequireFile(request.readmeEn, "the English readme");
    RequireFile(request.licence, "the licence");
    RequireFile(request.licenceEn, "the English licence");
    std::vector<std::string> entries = ArchiveEntries(request.sourceDir);
    if (entries.empty())
        throw Error("the folder \"" + request.sourceDir.string() + "\" holds no files");
    // The installer places its own copy as the configuration tool under
    // this name after the archive: an entry of that name would be replaced.
    for (const std::string& entry : entries)
        if (text::equalsIgnoreCase(entry, SetupProgram))
            throw Error("the folder \"" + request.sourceDir.string() + "\" holds " + entry +
                        " at its top: the installer places itself under that name");
    if (!zip)
        throw Error("Info-ZIP zip is not found on the PATH (Debian: apt-get install zip)");

    StagingTree staging;
    std::vector<std::string> names;
    for (const std::string& entry : entries)
        names.push_back(staging.add(request.sourceDir, entry));

    fs::path out = fs::absolute(request.out);
    fs::path folder = out.parent_path();
    std::error_code ec;
    fs::create_directories(folder, ec);
    if (ec)
        throw Error("cannot create \"" + folder.string() + "\": " + ec.message());

    // zip adds to an existing archive; a distribution is always made anew.
    fs::path archive = fs::path(out).replace_extension(".dat");
    fs::remove(archive, ec);
    RunZip(*zip, staging.root(), archive, names);

    CopyInto(request.exe, out);
    if (request.ini)
        CopyInto(*request.ini, fs::path(out).replace_extension(".ini"));
    const std::pair<const std::optional<fs::path>*, const char*> texts[] = {
        {&request.readme, "readme.txt"},
        {&request.readmeEn, "readme_en.txt"},
        {&request.licence, "license.txt"},
        {&request.licenceEn, "license_en.txt"},
    };
    for (const auto& [text, name] : texts)
        if (*text)
            CopyInto(**text, folder / name);
}

} // namespace qz::distribution
