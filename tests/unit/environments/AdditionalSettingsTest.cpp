#include "EnvironmentFixture.h"

#include "environments/AdditionalSettings.h"
#include "locale/Catalogue.h"
#include "locale/Language.h"
#include "locale/LanguageReset.h"
#include "text/Text.h"

namespace qz::test {
namespace {

class AdditionalSettingsTest : public EnvironmentTest {
protected:
    AdditionalSettingsTest() {
        ResetLanguageState();
        SetLanguage("en");
        FillCatalogue();
        catalogue.fill();
    }
    ~AdditionalSettingsTest() override { ResetLanguageState(); }

    // The next shown window gets this treatment from its user.
    template <class Window, class Act> void answer(Act act) {
        m.dialogs.formAnswers.push_back([act](ModalWindow& form) {
            auto& w = static_cast<Window&>(form);
            act(w);
            return w.modalResult;
        });
    }
    std::string write(int slot, const std::string& name, const std::string& bytes) {
        std::string path = moduleFile(slot, name);
        m.writeFile(path, bytes);
        return path;
    }

    TemplateUpdater updater{m.platform, catalogue};
    TForm8 form8{m.dialogs, m.files};
    TForm7 form7{m.dialogs, m.files};
};

// --- TForm8 -----------------------------------------------------------------

TEST_F(AdditionalSettingsTest, EnvironmentDialogShowsWhatItsModeAsks) {
    form8.displayName = "Visual Studio Code (C++)";
    form8.compilerName = "g++";
    form8.mode = TForm8Mode::Compiler;
    form8.FormShow();
    EXPECT_EQ(form8.caption, "Additional settings for Visual Studio Code (C++)");
    EXPECT_EQ(form8.Label1.caption.substr(0, 96), "Select the file g++.exe, which will be used "
                                                  "when compiling programs in Visual Studio Code "
                                                  "(C++).");
    EXPECT_TRUE(form8.Button3.visible);
    EXPECT_EQ(form8.OpenDialog1.title, "Select the compiler g++.exe for Visual Studio Code (C++)");
    EXPECT_EQ(form8.OpenDialog1.filter, "Executable files (*.exe)|*.exe");
    EXPECT_EQ(form8.activeControl, &form8.Edit2);

    form8.displayName = "Microsoft Visual C# 2010";
    form8.mode = TForm8Mode::FrameworkVersion;
    form8.FormShow();
    EXPECT_EQ(form8.Label1.caption,
              "Select the version of the target .NET Framework, which will be used when compiling "
              "programs in Microsoft Visual C# 2010 (the version must be at least 4.7).");
    EXPECT_FALSE(form8.Button3.visible);
}

TEST_F(AdditionalSettingsTest, EnvironmentDialogEnablesOkForAnAcceptableValue) {
    std::string compiler = touch("C:\\MinGW\\bin\\g++.exe");
    struct Case {
        TForm8Mode mode;
        std::string typed;
        bool ok;
    } cases[] = {
        {TForm8Mode::FrameworkVersion, "4.7", true},
        {TForm8Mode::FrameworkVersion, "4.8.1", true},
        {TForm8Mode::FrameworkVersion, " 4.8 ", true},
        {TForm8Mode::FrameworkVersion, "4.6", false},
        {TForm8Mode::FrameworkVersion, "v4.8", false},
        {TForm8Mode::FrameworkVersion, "", false},
        {TForm8Mode::Compiler, compiler, true},
        {TForm8Mode::Compiler, "  " + compiler, true},
        {TForm8Mode::Compiler, "C:\\MinGW\\bin\\gcc.exe", false}, // missing
        {TForm8Mode::Compiler, "C:\\MinGW\\bin", false},          // a folder
        {TForm8Mode::Compiler, "", false},
    };
    for (const Case& c : cases) {
        form8.mode = c.mode;
        form8.FormShow();
        form8.Edit2.enterText(c.typed);
        EXPECT_EQ(form8.Button1.enabled, c.ok) << '"' << c.typed << '"';
    }
}

TEST_F(AdditionalSettingsTest, CompilerOfAnotherNameKeepsTheDialogOpen) {
    touch("C:\\MinGW\\bin\\gcc.exe");
    touch("C:\\MinGW\\bin\\G++.EXE");
    form8.mode = TForm8Mode::Compiler;
    form8.displayName = "Visual Studio Code (C++)";
    form8.compilerName = "g++";
    form8.FormShow();

    form8.Edit2.enterText("C:\\MinGW\\bin\\gcc.exe");
    form8.Button1.click();
    EXPECT_EQ(form8.modalResult, ui::ModalResult::None);
    ASSERT_EQ(m.dialogs.messages.size(), 1u);
    EXPECT_EQ(m.dialogs.messages[0].kind, MessageKind::Error);
    EXPECT_EQ(m.dialogs.messages[0].text, "The selected filename differs from the default filename "
                                          "of Visual Studio Code (C++) IDE (g++.exe).");

    form8.Edit2.enterText("C:\\MinGW\\bin\\G++.EXE ");
    form8.Button1.click();
    EXPECT_EQ(form8.modalResult, ui::ModalResult::Ok);
    EXPECT_EQ(form8.Edit2.caption, "C:\\MinGW\\bin\\G++.EXE"); // trimmed
    EXPECT_EQ(m.dialogs.messages.size(), 1u);
}

TEST_F(AdditionalSettingsTest, EnvironmentDialogBrowsesFromTheNamedFile) {
    std::string chosen = touch("D:\\Dev-Cpp\\TDM-GCC-64\\bin\\gcc.exe");
    form8.mode = TForm8Mode::Compiler;
    form8.compilerName = "gcc";
    form8.FormShow();
    form8.Edit2.enterText("C:\\Old\\gcc.exe");
    EXPECT_FALSE(form8.Button1.enabled);

    m.dialogs.openFileAnswers.push_back(chosen);
    form8.pressKey(ui::KeyF8);
    ASSERT_EQ(m.dialogs.openFileRequests.size(), 1u);
    EXPECT_EQ(m.dialogs.openFileRequests[0].fileName, "C:\\Old\\gcc.exe");
    EXPECT_EQ(m.dialogs.openFileRequests[0].initialDirectory, "C:\\Old");
    EXPECT_EQ(form8.Edit2.caption, chosen);
    EXPECT_TRUE(form8.Button1.enabled);

    form8.Button3.click(); // cancelled: the text stays
    EXPECT_EQ(form8.Edit2.caption, chosen);

    // Without Browse, F8 does nothing.
    form8.mode = TForm8Mode::FrameworkVersion;
    form8.FormShow();
    form8.pressKey(ui::KeyF8);
    EXPECT_EQ(m.dialogs.openFileRequests.size(), 2u);
}

TEST_F(AdditionalSettingsTest, FrameworkVersionIsStoredAndWrittenIntoTheProjects) {
    struct Case {
        int slot;
        const char* file;
        const char* line; // the project line after OK with 4.8
    } cases[] = {
        {37, "qzprj.csproj", "    <TargetFrameworkVersion>v4.8</TargetFrameworkVersion>"},
        {20, "qzprj.vbproj", "    <TargetFrameworkVersion>v4.8</TargetFrameworkVersion>"},
        {66, "qzprj.fsproj", "    <TargetFrameworkVersion>v4.8</TargetFrameworkVersion>"},
        {67, "qzprj.fsproj", "    <TargetFramework>.NETFramework,Version=v4.8</TargetFramework>"},
    };
    for (const Case& c : cases) {
        catalogue.entry(c.slot).additions = "v4.7.2";
        std::string project =
            write(c.slot, c.file,
                  "<Project>\r\n  <TargetFrameworkVersion>v4.0</TargetFrameworkVersion>\r\n"
                  "  <TargetFramework>.NETFramework,Version=v4.0</TargetFramework>\r\n");
        std::string shown;
        answer<TForm8>([&shown](TForm8& d) {
            shown = d.Edit2.caption;
            d.Edit2.enterText("4.8 ");
            d.pressKey(ui::KeyReturn);
        });
        EXPECT_TRUE(EditEnvironmentAdditions(form8, catalogue, updater, c.slot)) << c.slot;
        EXPECT_EQ(shown, "4.7.2");
        EXPECT_EQ(catalogue.entry(c.slot).additions, "v4.8");
        EXPECT_NE(read(project).find(std::string(c.line) + "\r\n"), std::string::npos)
            << c.slot << read(project);
    }
}

TEST_F(AdditionalSettingsTest, CompilerIsStoredAndWrittenIntoTheVsCodeTemplates) {
    std::string compiler = touch("C:\\TDM\\bin\\g++.exe");
    std::string tasks = write(87, "tasks.json", "  \"command\": \"old\",\n");
    answer<TForm8>([&](TForm8& d) {
        EXPECT_EQ(d.mode, TForm8Mode::Compiler);
        EXPECT_EQ(d.compilerName, "g++");
        d.Edit2.enterText(compiler);
        d.Button1.click();
    });
    EXPECT_TRUE(EditEnvironmentAdditions(form8, catalogue, updater, 87));
    EXPECT_EQ(catalogue.entry(87).additions, compiler);
    EXPECT_EQ(read(tasks), "  \"command\": \"C:/TDM/bin/g++.exe\",\r\n");
}

TEST_F(AdditionalSettingsTest, CancelOrASlotWithoutSettingsChangesNothing) {
    catalogue.entry(37).additions = "v4.7.2";
    std::string project = write(37, "qzprj.csproj", "  <TargetFrameworkVersion>v4.0\r\n");
    answer<TForm8>([](TForm8& d) {
        d.Edit2.enterText("4.8");
        d.pressKey(ui::KeyEscape);
    });
    EXPECT_FALSE(EditEnvironmentAdditions(form8, catalogue, updater, 37));
    EXPECT_EQ(catalogue.entry(37).additions, "v4.7.2");
    EXPECT_EQ(read(project), "  <TargetFrameworkVersion>v4.0\r\n");

    for (int slot : {1, 25, 46, 70, 88})
        EXPECT_FALSE(EditEnvironmentAdditions(form8, catalogue, updater, slot)) << slot;
    EXPECT_EQ(m.dialogs.shownForms.size(), 1u);
}

// --- TForm7 -----------------------------------------------------------------

TEST_F(AdditionalSettingsTest, OutputDialogFolderIsUsableOnlyWhileTheBoxIsChecked) {
    form7.output = {false, "C:\\QZ4Work\\Output"};
    form7.FormShow();
    EXPECT_EQ(form7.caption, "Additional settings");
    EXPECT_EQ(form7.Edit2.caption, "C:\\QZ4Work\\Output");
    EXPECT_EQ(form7.activeControl, &form7.CheckBox1);
    struct Step {
        const char* action; // "click" the box or text typed into the folder
        bool checked, folderEnabled, okEnabled;
    } steps[] = {
        {"", false, false, true},      {"click", true, true, true},  {"   ", true, true, false},
        {"click", false, false, true}, {"click", true, true, false}, {"D:\\Out", true, true, true},
    };
    for (const Step& s : steps) {
        if (std::string(s.action) == "click")
            form7.CheckBox1.click();
        else if (*s.action)
            form7.Edit2.enterText(s.action);
        EXPECT_EQ(form7.CheckBox1.checked(), s.checked) << s.action;
        EXPECT_EQ(form7.Edit2.enabled, s.folderEnabled) << s.action;
        EXPECT_EQ(form7.Button3.enabled, s.folderEnabled) << s.action;
        EXPECT_EQ(form7.Button1.enabled, s.okEnabled) << s.action;
    }
}

TEST_F(AdditionalSettingsTest, OutputFolderMustLieOnALocalHardDisk) {
    m.files.createDirectories("C:\\Out");
    m.files.createDirectories("D:\\Out");
    m.files.setDriveType('D', DriveType::Removable);
    struct Case {
        const char* folder;
        bool accepted;
    } cases[] = {
        {"C:\\Out", true},   {"c:\\Out", true},
        {" C:\\Out ", true}, {"\\\\server\\share\\out", false},
        {"C:\\", false},     {"C:Out", false},
        {"C:/Out", false},   {"D:\\Out", false}, // removable
        {"Q:\\Out", false},                      // no such drive
        {"1:\\Out", false},
    };
    for (const Case& c : cases) {
        form7.output = {true, c.folder};
        form7.FormShow();
        m.dialogs.messages.clear();
        form7.modalResult = ui::ModalResult::None;
        form7.Button1.click();
        EXPECT_EQ(form7.modalResult, c.accepted ? ui::ModalResult::Ok : ui::ModalResult::None)
            << c.folder;
        if (c.accepted) {
            EXPECT_TRUE(m.dialogs.messages.empty()) << c.folder;
        } else {
            ASSERT_EQ(m.dialogs.messages.size(), 1u) << c.folder;
            EXPECT_EQ(m.dialogs.messages[0].kind, MessageKind::Error);
            EXPECT_EQ(m.dialogs.messages[0].text,
                      "The directory name must contain the name of a local hard disk.");
        }
    }
    // Unchecked, the folder is not looked at.
    form7.output = {false, "\\\\server\\share\\out"};
    form7.FormShow();
    form7.modalResult = ui::ModalResult::None;
    form7.Button1.click();
    EXPECT_EQ(form7.modalResult, ui::ModalResult::Ok);
}

TEST_F(AdditionalSettingsTest, MissingOutputFolderIsCreatedWhenTheUserAgrees) {
    m.writeFile("C:\\Blocked", "a file where a folder would go");
    struct Case {
        const char* folder;
        DialogButton reply;
        bool closes, exists;
        const char* error; // after the question
    } cases[] = {
        {"C:\\Work\\Out", DialogButton::No, false, false, nullptr},
        {"C:\\Work\\Out", DialogButton::Yes, true, true, nullptr},
        {"C:\\Blocked\\Out", DialogButton::Yes, false, false,
         "Cannot create the directory \"C:\\Blocked\\Out\"."},
    };
    for (const Case& c : cases) {
        form7.output = {true, c.folder};
        form7.FormShow();
        m.dialogs.messages.clear();
        m.dialogs.messageAnswers = {c.reply};
        form7.modalResult = ui::ModalResult::None;
        form7.Button1.click();
        ASSERT_GE(m.dialogs.messages.size(), 1u) << c.folder;
        EXPECT_EQ(m.dialogs.messages[0].kind, MessageKind::Confirmation);
        EXPECT_EQ(m.dialogs.messages[0].text,
                  "The directory \"" + std::string(c.folder) + "\" does not exist. Create it?");
        EXPECT_EQ(m.dialogs.messages[0].buttons,
                  (std::vector<DialogButton>{DialogButton::Yes, DialogButton::No}));
        EXPECT_EQ(form7.modalResult, c.closes ? ui::ModalResult::Ok : ui::ModalResult::None);
        EXPECT_EQ(m.files.directoryExists(c.folder), c.exists);
        ASSERT_EQ(m.dialogs.messages.size(), c.error ? 2u : 1u) << c.folder;
        if (c.error) {
            EXPECT_EQ(m.dialogs.messages[1].text, c.error);
        }
    }
}

TEST_F(AdditionalSettingsTest, OutputDialogBrowsesFromItsFolderOrTheWorkingDirectory) {
    m.files.createDirectories("C:\\Out");
    m.files.createDirectories("C:\\Students\\Ann");
    form7.currentWorkDir = "C:\\Students\\Ann";
    struct Case {
        const char* folder;
        const char* startsAt;
    } cases[] = {
        {"C:\\Out", "C:\\Out"},
        {"C:\\Missing", "C:\\Students\\Ann"},
        {"", "C:\\Students\\Ann"},
    };
    for (const Case& c : cases) {
        form7.output = {true, c.folder};
        form7.FormShow();
        m.dialogs.selectFolderAnswers.push_back("D:\\Chosen");
        form7.pressKey(ui::KeyF8);
        EXPECT_EQ(m.dialogs.selectFolderRequests.back().initialDirectory, c.startsAt) << c.folder;
        EXPECT_EQ(form7.Edit2.caption, "D:\\Chosen");
        EXPECT_TRUE(form7.Button1.enabled);
    }
    // Unchecked, the folder and its Browse are out of reach.
    form7.output = {false, "C:\\Out"};
    form7.FormShow();
    form7.pressKey(ui::KeyF8);
    EXPECT_EQ(m.dialogs.selectFolderRequests.size(), 3u);
}

TEST_F(AdditionalSettingsTest, FontIsTheCheckedRadioButton) {
    struct Case {
        const char* stored;
        bool consolasShown;
        const char* click; // radio button the user clicks, or none
        const char* result;
    } cases[] = {
        {"Consolas", true, nullptr, "Consolas"},
        {"Courier New", false, nullptr, "Courier New"},
        {"Lucida Console", false, nullptr, "Courier New"},
        {"Consolas", true, "RadioButton2", "Courier New"},
        {"Courier New", false, "RadioButton1", "Consolas"},
    };
    for (const Case& c : cases) {
        OutputFolderSetting output{false, "C:\\QZ4Work\\Output"};
        std::string font = c.stored;
        answer<TForm7>([&c](TForm7& d) {
            EXPECT_EQ(d.RadioButton1.checked, c.consolasShown) << c.stored;
            EXPECT_NE(d.RadioButton2.checked, c.consolasShown) << c.stored;
            if (c.click)
                d.find(c.click)->click();
            d.Button1.click();
        });
        EditOutputSettings(form7, updater, output, font, "");
        EXPECT_EQ(font, c.result) << c.stored;
    }
}

TEST_F(AdditionalSettingsTest, ChangedOutputFolderIsWrittenIntoTheProjects) {
    const std::string before = "<Project>\r\n  <OutputPath>C:\\Before\\</OutputPath>\r\n";
    const std::string cbBefore = "  <Option output=\"C:\\Before\\qzprj\" />\r\n";
    m.files.createDirectories("C:\\Out");
    m.files.createDirectories("C:\\New");
    struct Case {
        OutputFolderSetting stored;
        bool check;         // CheckBox1 as the user leaves it
        const char* folder; // Edit2 as the user leaves it
        const char* csproj; // folder in the C# project afterwards; nullptr: untouched
        const char* codeBlocks;
    } cases[] = {
        {{true, "C:\\Out"}, false, "C:\\Out", ".\\", ""},
        {{false, "C:\\Out"}, true, "C:\\Out", "C:\\Out\\", "C:\\Out\\"},
        {{true, "C:\\Out"}, true, "C:\\New ", "C:\\New\\", "C:\\New\\"},
        {{true, "C:\\Out"}, true, "c:\\out", nullptr, nullptr}, // the same folder
        {{false, "C:\\Out"}, false, "C:\\New", nullptr, nullptr},
    };
    for (const Case& c : cases) {
        std::string csproj = write(37, "qzprj.csproj", before);
        std::string cbp = write(25, "qzprj.cbp", cbBefore);
        OutputFolderSetting output = c.stored;
        std::string font = "Consolas";
        answer<TForm7>([&c](TForm7& d) {
            if (d.CheckBox1.checked() != c.check)
                d.CheckBox1.click();
            if (c.check)
                d.Edit2.enterText(c.folder);
            d.Button1.click();
        });
        EditOutputSettings(form7, updater, output, font, "");
        EXPECT_EQ(output.useLocalDir, c.check);
        EXPECT_EQ(output.localDirName, c.check ? text::trim(c.folder) : c.stored.localDirName);
        if (c.csproj) {
            EXPECT_EQ(read(csproj),
                      "<Project>\r\n    <OutputPath>" + std::string(c.csproj) + "</OutputPath>\r\n")
                << c.folder;
            EXPECT_EQ(read(cbp), std::string(32, ' ') + "<Option output=\"" + c.codeBlocks +
                                     "qzprj\" prefix_auto=\"1\" extension_auto=\"1\" />\r\n");
        } else {
            EXPECT_EQ(read(csproj), before) << c.folder;
            EXPECT_EQ(read(cbp), cbBefore);
        }
    }

    // Cancel keeps everything.
    OutputFolderSetting output{true, "C:\\Out"};
    std::string font = "Consolas";
    answer<TForm7>([](TForm7& d) {
        d.CheckBox1.click();
        d.RadioButton2.click();
        d.pressKey(ui::KeyEscape);
    });
    EditOutputSettings(form7, updater, output, font, "");
    EXPECT_TRUE(output.useLocalDir);
    EXPECT_EQ(output.localDirName, "C:\\Out");
    EXPECT_EQ(font, "Consolas");
}

} // namespace
} // namespace qz::test
