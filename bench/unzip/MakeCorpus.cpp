// Writes the extraction benchmark's corpus into a folder: text files, sparse
// binary files and incompressible files of many sizes in nested folders, the
// same bytes on every run.
//
//   bench_make_corpus <folder> [megabytes]     (default 150)
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

namespace {

namespace fs = std::filesystem;

std::string text(std::mt19937& rng, std::size_t size) {
    static const char* const words[] = {
        "problem ", "book ",   "the ",    "install ", "of ",     "module ",  "\r\n",
        "and ",     "folder ", "Pascal ", "end; ",    "begin ",  "  ",       "x := x + 1;",
        "Result ",  "while ",  "do ",     "integer ", "(i, j) ", "writeln ", "{ task }"};
    std::string s;
    s.reserve(size + 16);
    while (s.size() < size)
        s += words[rng() % std::size(words)];
    s.resize(size);
    return s;
}

std::string sparse(std::mt19937& rng, std::size_t size) {
    std::string s(size, '\0');
    for (std::size_t i = 0; i < size; i += 1 + rng() % 48)
        s[i] = static_cast<char>(rng() % 16);
    for (std::size_t i = 0; i + 512 < size; i += 2048 + rng() % 16384)
        for (std::size_t k = 0; k < 512; ++k)
            s[i + k] = static_cast<char>(rng());
    return s;
}

std::string noise(std::mt19937& rng, std::size_t size) {
    std::string s(size, '\0');
    for (char& c : s)
        c = static_cast<char>(rng());
    return s;
}

// Sizes spread from a few hundred bytes to several megabytes.
std::size_t pickSize(std::mt19937& rng) {
    const double exponent = 8.0 + (rng() % 1000) / 1000.0 * 14.0; // 2^8 .. 2^22
    return static_cast<std::size_t>(std::exp2(exponent));
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: bench_make_corpus <folder> [megabytes]\n");
        return 2;
    }
    const fs::path root = argv[1];
    const std::size_t total = (argc > 2 ? std::strtoull(argv[2], nullptr, 10) : 150) << 20;
    std::mt19937 rng(20261209);
    struct Kind {
        const char* folder;
        double share;
        std::string (*make)(std::mt19937&, std::size_t);
    };
    const Kind kinds[] = {{"text", 0.45, text}, {"binary", 0.35, sparse}, {"random", 0.20, noise}};
    std::size_t files = 0;
    for (const Kind& kind : kinds) {
        const auto budget = static_cast<std::size_t>(total * kind.share);
        for (std::size_t written = 0; written < budget; ++files) {
            const std::size_t size = std::min(pickSize(rng), budget - written);
            char name[32];
            std::snprintf(name, sizeof name, "d%zu/f%zu.dat", files % 7, files);
            const fs::path file = root / kind.folder / name;
            fs::create_directories(file.parent_path());
            const std::string bytes = kind.make(rng, size);
            std::ofstream(file, std::ios::binary).write(bytes.data(), bytes.size());
            written += size;
        }
    }
    fs::create_directories(root / "empty");
    std::ofstream(root / "empty" / "nothing.txt");
    std::printf("%zu files, %zu MiB in %s\n", files + 1, total >> 20, root.c_str());
    return 0;
}
