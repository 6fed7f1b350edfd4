#include "TestSupport.h"

#include "ui/SelectDirectoryForm.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace qz::ui {
namespace {

class SelectDirectoryFormTest : public ::testing::Test {
protected:
    SelectDirectoryFormTest() {
        machine.files.createDirectories("C:\\QZ4\\Work\\Group");
        machine.files.createDirectories("C:\\QZ4\\lib");
        machine.files.createDirectories("C:\\QZ4\\Bin");
        machine.writeFile("C:\\QZ4\\QZ.INI", "");
        machine.files.setDriveType('D', DriveType::CdRom);
        StandardTexts russian;
        russian.selectDirectoryCaption = "Выбор каталога";
        russian.directoryNameLabel = "Имя каталога:";
        russian.cancelButton = "Отмена";
        russian.createDirectoryPrompt = "Указанный каталог не существует. Создать его?";
        machine.dialogs.setStandardTexts(russian);
    }

    SelectFolderRequest request(const std::string& initial, bool allowCreate = true) {
        return {"", initial, allowCreate, allowCreate, allowCreate};
    }

    test::TestMachine machine;
};

TEST_F(SelectDirectoryFormTest, ShowsTheFolderTheWayToItItsFoldersFilesAndDrives) {
    SelectDirectoryForm dialog(machine.dialogs, machine.files, request("c:/qz4/"));
    EXPECT_EQ(dialog.caption, "Выбор каталога");
    EXPECT_EQ(dialog.Label1.caption, "Имя каталога:");
    EXPECT_EQ(dialog.CancelButton.caption, "Отмена");
    EXPECT_EQ(dialog.Edit1.caption, "C:\\qz4");
    EXPECT_EQ(dialog.DirList.items,
              (std::vector<std::string>{"C:\\", "  qz4", "    Bin", "    lib", "    Work"}));
    EXPECT_EQ(dialog.DirList.itemIndex, 1);
    EXPECT_EQ(dialog.FileList.items, std::vector<std::string>{"QZ.INI"});
    EXPECT_EQ(dialog.DriveCombo.items, (std::vector<std::string>{"c:", "d:"}));
    EXPECT_EQ(dialog.DriveCombo.itemIndex, 0);
    EXPECT_EQ(dialog.activeControl, &dialog.Edit1);
}

TEST_F(SelectDirectoryFormTest, AShareIsTheRootOfANetworkFolder) {
    std::filesystem::create_directories(machine.root / "UNC" / "srv" / "share" / "Work" / "Group");
    SelectDirectoryForm dialog(machine.dialogs, machine.files, request("\\\\srv\\share\\Work\\"));
    EXPECT_EQ(dialog.directory(), "\\\\srv\\share\\Work");
    EXPECT_EQ(dialog.DirList.items,
              (std::vector<std::string>{"\\\\srv\\share", "  Work", "    Group"}));
    EXPECT_EQ(dialog.DirList.itemIndex, 1);
    EXPECT_EQ(dialog.DriveCombo.itemIndex, -1);
    dialog.DirList.select(0);
    dialog.DirList.doubleClick();
    EXPECT_EQ(dialog.directory(), "\\\\srv\\share");
    EXPECT_EQ(dialog.DirList.items, (std::vector<std::string>{"\\\\srv\\share", "  Work"}));
    dialog.DirList.select(1);
    dialog.DirList.doubleClick();
    EXPECT_EQ(dialog.directory(), "\\\\srv\\share\\Work");
}

TEST_F(SelectDirectoryFormTest, DoubleClicksMoveInAndOut) {
    SelectDirectoryForm dialog(machine.dialogs, machine.files, request("C:\\QZ4"));
    dialog.DirList.select(4);
    dialog.DirList.doubleClick();
    EXPECT_EQ(dialog.directory(), "C:\\QZ4\\Work");
    EXPECT_EQ(dialog.DirList.items.back(), "      Group");
    dialog.DirList.select(0);
    dialog.DirList.doubleClick();
    EXPECT_EQ(dialog.directory(), "C:\\");
    EXPECT_EQ(dialog.Edit1.caption, "C:\\");
    dialog.DriveCombo.select(1);
    EXPECT_EQ(dialog.directory(), "D:\\");
}

TEST_F(SelectDirectoryFormTest, OkTakesAnExistingFolderTypedWholeOrInsideTheOneShown) {
    struct Case {
        const char* typed;
        const char* chosen;
    };
    for (Case c : {Case{"C:\\QZ4\\Work\\", "C:\\QZ4\\Work"},
                   Case{"Work\\Group", "C:\\QZ4\\Work\\Group"}, Case{"  lib  ", "C:\\QZ4\\lib"}}) {
        SelectDirectoryForm dialog(machine.dialogs, machine.files, request("C:\\QZ4"));
        dialog.Edit1.enterText(c.typed);
        dialog.pressKey(KeyReturn);
        EXPECT_EQ(dialog.modalResult, ModalResult::Ok) << c.typed;
        EXPECT_EQ(dialog.directory(), c.chosen);
    }
    EXPECT_TRUE(machine.dialogs.messages.empty());
}

TEST_F(SelectDirectoryFormTest, MissingFolderIsCreatedOnlyAfterYes) {
    SelectDirectoryForm dialog(machine.dialogs, machine.files, request("C:\\QZ4"));
    dialog.Edit1.enterText("C:\\New\\Deeper");
    machine.dialogs.messageAnswers = {DialogButton::No, DialogButton::Yes};
    dialog.OKButton.click();
    EXPECT_EQ(dialog.modalResult, ModalResult::None);
    EXPECT_FALSE(machine.files.directoryExists("C:\\New"));
    dialog.OKButton.click();
    EXPECT_EQ(dialog.modalResult, ModalResult::Ok);
    EXPECT_EQ(dialog.directory(), "C:\\New\\Deeper");
    EXPECT_TRUE(machine.files.directoryExists("C:\\New\\Deeper"));
    ASSERT_EQ(machine.dialogs.messages.size(), 2u);
    EXPECT_EQ(machine.dialogs.messages[0].kind, MessageKind::Confirmation);
    EXPECT_EQ(machine.dialogs.messages[0].text, "Указанный каталог не существует. Создать его?");
}

TEST_F(SelectDirectoryFormTest, WithoutCreationAMissingFolderIsNotAnAnswer) {
    // A missing start folder gives way to the current one.
    machine.files.setCurrentDirectory("C:\\QZ4\\Bin");
    SelectDirectoryForm dialog(machine.dialogs, machine.files, request("C:\\Nowhere", false));
    EXPECT_EQ(dialog.directory(), "C:\\QZ4\\Bin");
    dialog.Edit1.enterText("C:\\New");
    dialog.OKButton.click();
    EXPECT_EQ(dialog.modalResult, ModalResult::None);
    EXPECT_TRUE(machine.dialogs.messages.empty());
    dialog.pressKey(KeyEscape);
    EXPECT_EQ(dialog.modalResult, ModalResult::Cancel);
}

} // namespace
} // namespace qz::ui
