#include "ZipBuilder.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <sys/wait.h>

namespace qz {
namespace {

struct Outcome {
    int status;
    std::string out; // standard output; standard error is dropped
};

Outcome RunTool(const std::string& arguments) {
    std::string command = std::string(QZ4UNZIP) + " " + arguments + " 2>/dev/null";
    FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe)
        return {-1, ""};
    std::string out;
    char buffer[4096];
    while (std::size_t n = std::fread(buffer, 1, sizeof buffer, pipe))
        out.append(buffer, n);
    int status = ::pclose(pipe);
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, out};
}

class Qz4UnzipTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::random_device random;
        folder = std::filesystem::temp_directory_path() /
                 ("qz4-unzip-tool-" + std::to_string(random()) + std::to_string(random()));
        std::filesystem::create_directories(folder);
        test::ZipBuilder b;
        b.add("docs/a.txt", "a");
        b.add("docs/b.md", "b");
        b.add("top.txt", std::string(100, 't'));
        archive = (folder / "a.zip").string();
        std::ofstream(archive, std::ios::binary) << b.bytes();
    }
    void TearDown() override { std::filesystem::remove_all(folder); }

    std::filesystem::path folder;
    std::string archive;
};

TEST_F(Qz4UnzipTest, HelpGoesToStandardOutput) {
    for (const char* flag : {"-h", "--help"}) {
        Outcome help = RunTool(flag);
        EXPECT_EQ(help.status, 0) << flag;
        EXPECT_EQ(help.out.rfind("usage: qz4unzip", 0), 0u) << flag;
    }
    Outcome wrong = RunTool("-q " + archive);
    EXPECT_EQ(wrong.status, 2);
    EXPECT_EQ(wrong.out, "");
}

TEST_F(Qz4UnzipTest, ListingTakesThePatterns) {
    Outcome listed = RunTool("-l " + archive + " 'DOCS/*'");
    EXPECT_EQ(listed.status, 0);
    EXPECT_NE(listed.out.find("docs\\a.txt"), std::string::npos);
    EXPECT_NE(listed.out.find("docs\\b.md"), std::string::npos);
    EXPECT_EQ(listed.out.find("top.txt"), std::string::npos);
    EXPECT_NE(listed.out.find("2 entries"), std::string::npos);
    EXPECT_NE(RunTool("-l " + archive).out.find("3 entries"), std::string::npos);
}

TEST_F(Qz4UnzipTest, ExtractingOntoAFullDeviceFails) {
    if (!std::filesystem::exists("/dev/full"))
        GTEST_SKIP() << "no /dev/full";
    std::filesystem::create_directories(folder / "out");
    std::filesystem::create_symlink("/dev/full", folder / "out" / "top.txt");
    EXPECT_NE(RunTool("-x " + archive + " " + (folder / "out").string() + " top.txt").status, 0);
    EXPECT_EQ(RunTool("-x " + archive + " " + (folder / "fine").string() + " top.txt").status, 0);
}

TEST_F(Qz4UnzipTest, ThreadCountsExtractAlikeAndOnlyNumbersAreCounts) {
    for (const char* threads : {"0", "1", "3"}) {
        const std::filesystem::path out = folder / (std::string("j") + threads);
        EXPECT_EQ(
            RunTool(std::string("-j ") + threads + " -x " + archive + " " + out.string()).status, 0)
            << threads;
        std::ifstream top(out / "top.txt", std::ios::binary);
        EXPECT_EQ(std::string(std::istreambuf_iterator<char>(top), {}), std::string(100, 't'))
            << threads;
    }
    for (const char* wrong : {"-j", "-j x", "-j -1", "-j 1000"})
        EXPECT_EQ(RunTool(std::string(wrong) + " -x " + archive).status, 2) << wrong;
}

} // namespace
} // namespace qz
