// The executable as users get it: the version Explorer shows, read back
// through the system's own version calls.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace {

// QZ4_SETUP_EXE names the executable by its build-machine path, which Wine
// reaches through drive Z:.
std::wstring executablePath() {
    const char* path = std::getenv("QZ4_SETUP_EXE");
    if (!path)
        return {};
    std::wstring result = L"Z:";
    for (const char* c = path; *c; ++c)
        result += *c == '/' ? L'\\' : static_cast<wchar_t>(static_cast<unsigned char>(*c));
    return result;
}

class VersionResourceTest : public testing::Test {
protected:
    void SetUp() override {
        std::wstring path = executablePath();
        ASSERT_FALSE(path.empty()) << "QZ4_SETUP_EXE is not set";
        DWORD handle = 0;
        DWORD size = GetFileVersionInfoSizeW(path.c_str(), &handle);
        ASSERT_NE(size, 0u) << "no version resource, error " << GetLastError();
        info.resize(size);
        ASSERT_TRUE(GetFileVersionInfoW(path.c_str(), 0, size, info.data()));
    }

    std::wstring text(const wchar_t* name) {
        std::wstring key = std::wstring(L"\\StringFileInfo\\040904B0\\") + name;
        wchar_t* value = nullptr;
        UINT length = 0;
        if (!VerQueryValueW(info.data(), key.c_str(), reinterpret_cast<void**>(&value), &length) ||
            !value)
            return L"(none)";
        return std::wstring(value, length > 0 ? length - 1 : 0);
    }

    std::vector<char> info;
};

TEST_F(VersionResourceTest, NamesProductAndDescription) {
    EXPECT_EQ(text(L"ProductName"), L"Quazzle 4");
    EXPECT_EQ(text(L"FileDescription"), L"Quazzle problem book setup");
    EXPECT_EQ(text(L"OriginalFilename"), L"QZ4Setup.exe");
}

TEST_F(VersionResourceTest, CarriesTheProjectVersion) {
    const std::wstring version =
        std::to_wstring(QZ4_VERSION_MAJOR) + L"." + std::to_wstring(QZ4_VERSION_MINOR);
    EXPECT_EQ(text(L"ProductVersion"), version);
    EXPECT_EQ(text(L"FileVersion"), version);

    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueW(info.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
    ASSERT_GE(length, sizeof(VS_FIXEDFILEINFO));
    EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
    EXPECT_EQ(HIWORD(fixed->dwFileVersionMS), QZ4_VERSION_MAJOR);
    EXPECT_EQ(LOWORD(fixed->dwFileVersionMS), QZ4_VERSION_MINOR);
    EXPECT_EQ(fixed->dwProductVersionMS, fixed->dwFileVersionMS);
    EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_APP));
}

} // namespace
