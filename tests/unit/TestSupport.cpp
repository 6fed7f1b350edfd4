#include "TestSupport.h"

#include <cstdlib>
#include <ctime>
#include <fstream>
#include <random>

namespace qz::test {
namespace {

std::filesystem::path freshRoot() {
    std::random_device rd;
    auto dir = std::filesystem::temp_directory_path() /
               ("qz4-test-" + std::to_string(rd()) + std::to_string(rd()));
    std::filesystem::create_directories(dir / "C");
    std::filesystem::create_directories(dir / "D");
    return dir;
}

} // namespace

TestMachine::TestMachine() : root(freshRoot()), files(root) {}

TestMachine::~TestMachine() {
    std::error_code ec;
    // Read-only files and folders must become writable again to be removed.
    for (auto it = std::filesystem::recursive_directory_iterator(root, ec);
         it != std::filesystem::recursive_directory_iterator(); it.increment(ec))
        std::filesystem::permissions(it->path(), std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ec);
    std::filesystem::remove_all(root, ec);
}

void TestMachine::writeFile(const std::string& path, const std::string& bytes) {
    std::string folder = path.substr(0, path.find_last_of('\\'));
    files.createDirectories(folder);
    std::ofstream out(files.hostPath(path), std::ios::binary | std::ios::trunc);
    out << bytes;
}

std::optional<std::string> TestMachine::readFile(const std::string& path) const {
    std::ifstream in(files.hostPath(path), std::ios::binary);
    if (!in)
        return std::nullopt;
    return std::string(std::istreambuf_iterator<char>(in), {});
}

ScopedTimeZone::ScopedTimeZone(const char* tz) {
    if (const char* current = std::getenv("TZ"))
        previous_ = current;
    ::setenv("TZ", tz, 1);
    ::tzset();
}

ScopedTimeZone::~ScopedTimeZone() {
    if (previous_)
        ::setenv("TZ", previous_->c_str(), 1);
    else
        ::unsetenv("TZ");
    ::tzset();
}

std::filesystem::path fixtures(const std::string& subfolder) {
    std::filesystem::path dir = std::filesystem::path(QZ4_FIXTURES_DIR) / subfolder;
    std::error_code ec;
    return std::filesystem::is_directory(dir, ec) ? dir : std::filesystem::path();
}

} // namespace qz::test
