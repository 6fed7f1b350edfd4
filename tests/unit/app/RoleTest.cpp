#include "app/Role.h"

#include <gtest/gtest.h>

namespace qz {
namespace {

TEST(Role, OnlyTheToolsOwnFileNameRunsTheConfigurationTool) {
    struct Case {
        const char* path;
        Role role;
    } cases[] = {
        {"C:\\Program Files\\QZ4\\QZ4Setup.exe", Role::ConfigurationTool},
        {"qz4setup.exe", Role::ConfigurationTool},
        {"D:\\x\\QZ4Setup.EXE", Role::ConfigurationTool},
        {"C:/any/where/QZ4SETUP.EXE", Role::ConfigurationTool},
        {"C:\\QZ4Setup.exe\\QZ4Complete.exe", Role::Installer}, // the folder is never compared
        {"QZ4Setup2.exe", Role::Installer},
        {"setup.exe", Role::Installer},
        {"QZ4Setup.exe.bak", Role::Installer},
        {"XQZ4Setup.exe", Role::Installer},
        {"", Role::Installer},
    };
    for (const auto& c : cases)
        EXPECT_EQ(RoleForProgram(c.path), c.role) << c.path;
}

} // namespace
} // namespace qz
