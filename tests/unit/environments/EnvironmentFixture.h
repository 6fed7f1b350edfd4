// A test machine with the program installed in C:\QZ4 and its catalogue.
#pragma once

#include "TestSupport.h"
#include "environments/EnvironmentCatalogue.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>

namespace qz::test {

class EnvironmentTest : public ::testing::Test {
protected:
    static constexpr const char* kProgramDir = "C:\\QZ4\\";

    TestMachine m;
    EnvironmentCatalogue catalogue{m.platform, kProgramDir};

    EnvironmentTest() { m.files.createDirectories("C:\\QZ4"); }

    // Installs a slot's modules: the named marker files and its load file.
    void installModules(int slot, std::initializer_list<const char*> markers) {
        std::string dir = kProgramDir + catalogue.environmentKey(slot) + "\\";
        for (const char* name : markers)
            m.writeFile(dir + name, "x");
        m.writeFile(dir + "load" + catalogue.entry(slot).loadSuffix + ".dat", "x");
    }
    std::string moduleFile(int slot, const std::string& name) {
        return catalogue.moduleDirectory(slot) + "\\" + name;
    }
    // Creates an empty file (an executable, say) and returns its path.
    std::string touch(const std::string& path) {
        m.writeFile(path, "MZ");
        return path;
    }
    std::string read(const std::string& path) { return m.readFile(path).value_or("<missing>"); }
};

} // namespace qz::test
