// Template rewriting with the system's own code-page conversion, under Wine.
#include "environments/TemplateFile.h"
#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/Win32SystemInfo.h"

#include <gtest/gtest.h>

#include <random>

namespace qz {
namespace {

// A file that declares nothing keeps inserted text in the ANSI code page: on
// a Chinese system (936, whatever the prefix runs in) a Chinese folder must
// survive, where a table for 1252 would write "??".
TEST(TemplateWineTest, AChineseFolderKeepsItsLettersInTheAnsiCodePage) {
    Win32FileSystem files;
    Win32SystemInfo system;
    std::random_device rd;
    const std::string dir = system.environmentVariable("TEMP").value_or("C:\\windows\\temp") +
                            "\\qz4-template-" + std::to_string(rd() % 1000000);
    const std::string path = dir + "\\devcpp.ini";
    ASSERT_TRUE(files.createDirectories(dir));
    {
        auto out = files.open(path, OpenMode::Create);
        ASSERT_TRUE(out);
        const std::string original = "[Options]\r\nWorkDir=C:\\old\r\n";
        out->write(original.data(), original.size());
        out->close();
    }
    TemplateEditor(files, {system.codePages(), 936})
        .ReplaceKeyedLines(dir, "*.ini", "WorkDir=", "WorkDir=C:\\路径");

    std::string bytes;
    if (auto in = files.open(path, OpenMode::Read)) {
        bytes.resize(in->size());
        bytes.resize(in->read(bytes.data(), bytes.size()));
    }
    files.deleteFile(path);
    files.removeDirectory(dir);
    EXPECT_EQ(bytes, "[Options]\r\nWorkDir=C:\\\xC2\xB7\xBE\xB6\r\n");
}

} // namespace
} // namespace qz
