// The stand-in runtime programs: the role by the executable's name, and what
// the window says about itself, its working directory and the student.
#include "StandInRole.h"
#include "TStandInForm.h"
#include "TestSupport.h"
#include "workdir/ResultsFile.h"

#include <gtest/gtest.h>

namespace qz::demo {
namespace {

TEST(StandInRole, ChosenByFileNameInAnyCase) {
    struct Case {
        const char* path;
        const char* role; // nullptr: no role
    } cases[] = {
        {"C:\\Program Files\\QZ4\\QZ4Demo.exe", "QZ4Demo.exe"},
        {"qz4load.EXE", "QZ4Load.exe"},
        {"D:/qz4/QZ4RES.exe", "QZ4Res.exe"},
        {"C:QZ4Panel.exe", "QZ4Panel.exe"},
        {"C:\\QZ4\\QZ4Setup.exe", nullptr},
        {"C:\\QZ4\\QZ4Demo.exe.old", nullptr},
        {"C:\\QZ4Demo.exe\\other.exe", nullptr},
    };
    for (const Case& c : cases) {
        auto role = StandInRoleFor(c.path);
        if (c.role) {
            ASSERT_TRUE(role) << c.path;
            EXPECT_EQ(role->fileName, c.role);
        } else {
            EXPECT_FALSE(role) << c.path;
        }
    }
}

class StandInFormTest : public ::testing::Test {
protected:
    StandInFormTest() {
        m.files.createDirectories("C:\\Work");
        m.files.setCurrentDirectory("C:\\Work");
    }
    test::TestMachine m;
};

TEST_F(StandInFormTest, SaysWhatItIsAndWhereItRuns) {
    TStandInForm form(m.dialogs, m.files, *StandInRoleFor("QZ4Load.exe"));
    EXPECT_EQ(form.caption, "QZ4 Load");
    EXPECT_EQ(form.Label1.caption.rfind("QZ4Load.exe: stand-in for", 0), 0u);
    EXPECT_EQ(form.Label2.caption, "Working directory: C:\\Work");
    EXPECT_FALSE(form.Label3.visible);
    form.pressKey(ui::KeyEscape);
    EXPECT_EQ(form.modalResult, ui::ModalResult::Ok);
}

TEST_F(StandInFormTest, ResultsViewerReadsTheStudentBack) {
    struct Case {
        const char* what;
        int records;      // records kept of a file made for "Петров Пётр"; -1: no file
        int damageOffset; // byte of the file changed, or -1
        const char* line;
    } cases[] = {
        {"named file", 3, -1, "Student: Петров Пётр"},
        {"no file", -1, -1, "No results file (results.dat) here."},
        {"two records", 2, -1, "The results file holds no valid student name."},
        {"damaged identification", 3, 2 * 79 + 40, "The results file holds no valid student name."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        m.files.deleteFile("C:\\Work\\results.dat");
        if (c.records >= 0) {
            ASSERT_EQ(CreateResultsFile(m.files, "C:\\Work\\", "Петров Пётр", "|10", "C:\\QZ4"), 0);
            std::string bytes = *m.readFile("C:\\Work\\results.dat");
            bytes.resize(static_cast<std::size_t>(c.records) * 79);
            if (c.damageOffset >= 0)
                bytes[static_cast<std::size_t>(c.damageOffset)] ^= 0x01;
            m.writeFile("C:\\Work\\results.dat", bytes);
        }
        TStandInForm form(m.dialogs, m.files, *StandInRoleFor("QZ4Res.exe"));
        EXPECT_TRUE(form.Label3.visible);
        EXPECT_EQ(form.Label3.caption, c.line);
    }
}

} // namespace
} // namespace qz::demo
