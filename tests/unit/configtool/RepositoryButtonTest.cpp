#include "CertificateWriter.h"
#include "StudentCertificate.h"
#include "ToolFixture.h"

#include <sstream>

namespace qz {
namespace {

using test::ToolTest;

const std::string One = test::StudentCertificate("Ivanov One");
const std::string Two = test::StudentCertificate("Ivanov Two");

// The main window on the working-directory page with the group certificate
// in the program directory, and the teacher's repository with group
// "abc24a1b".
class RepositoryButtonTest : public ToolTest {
public:
    const std::string group = "abc24a1b";
    const std::string folder = "_accessdat_/abc24a1b";

    void SetUp() override {
        std::ostringstream err;
        m.files.createDirectories("C:\\QZ4");
        ASSERT_EQ(RunMakeCertificate({"--out", m.files.hostPath("C:\\QZ4\\access.dat").string(),
                                      "--name", "Group", "--host", "repo.example", "--user",
                                      "group10", "--password", "pass"},
                                     err),
                  0)
            << err.str();
        ftp.user = "group10";
        ftp.password = "pass";
        ftp.folders[""] = {};
        ftp.folders["_accessdat_"] = {};
        ftp.folders[folder] = {
            {"ivanov.1", {One}}, {"ivanov.2", {Two}}, {"1.dir", {"4W_F_L"}}, {"2.dir", {"4W_F_L"}}};
        m.system.environment["USERPROFILE"] = "C:\\Users\\ivan";
        installPascalAbc();
        start();
        form->workDirPage.ListBox1.items = {"C:\\Other", "c:\\qz4work_ivanov_2"};
        form->workDirPage.ListBox1.itemIndex = 0;
        form->ShowPage(2);
    }
    // The user's answer in the repository dialog.
    void answer(const std::string& group, const std::string& login, ui::Key key) {
        m.dialogs.formAnswers.push_back([=](ModalWindow& window) {
            auto& dialog = static_cast<TForm5&>(window);
            dialog.Edit1.enterText(group);
            dialog.Edit2.enterText(login);
            dialog.pressKey(key);
            return dialog.modalResult;
        });
    }
    std::vector<std::string>& list() { return form->workDirPage.ListBox1.items; }
};

TEST_F(RepositoryButtonTest, ConfiguredFoldersGoFirstAreExploredAndTheWindowCloses) {
    answer(group, "ivanov", ui::KeyReturn);
    form->pressKey(ui::KeyF2);

    ASSERT_EQ(m.dialogs.shownForms.size(), 1u);
    EXPECT_EQ(m.dialogs.shownForms[0], &repository);
    EXPECT_TRUE(m.dialogs.messages.empty());
    // A listed folder moves up under its listed spelling; a new one is inserted.
    EXPECT_EQ(list(), (std::vector<std::string>{"C:\\QZ4Work_ivanov_1", "c:\\qz4work_ivanov_2",
                                                "C:\\Other"}));
    EXPECT_EQ(form->workDirPage.ListBox1.itemIndex, 0);
    EXPECT_EQ(m.readFile("C:\\QZ4Work_ivanov_2\\access.dat"), Two);
    using Kind = ShellRequest::Kind;
    EXPECT_EQ(m.shell.requests,
              (std::vector<ShellRequest>{{Kind::Explore, "C:\\QZ4Work_ivanov_1", "", ""},
                                         {Kind::Explore, "C:\\QZ4Work_ivanov_2", "", ""}}));
    EXPECT_EQ(form->modalResult, ui::ModalResult::Cancel);
    EXPECT_EQ(form->settings().reposName, group);
    EXPECT_EQ(form->settings().reposLogin, "ivanov");

    // The list as it now stands is what the window writes at its close.
    form->FormClose();
    const std::string ini = read(kIni);
    EXPECT_NE(ini.find("Paths=C:\\QZ4Work_ivanov_1|c:\\qz4work_ivanov_2|C:\\Other\r\n"),
              std::string::npos)
        << ini;
    EXPECT_NE(ini.find("Path=C:\\QZ4Work_ivanov_1\r\n"), std::string::npos) << ini;
}

TEST_F(RepositoryButtonTest, TwoTemplatesForOneFolderListItOnce) {
    ftp.folders[folder]["2.dir"] = {"4W_F"};
    ftp.folders[folder]["1.dir"] = {"4W_F"};
    answer(group, "ivanov", ui::KeyReturn);
    form->workDirPage.Button11.click();
    EXPECT_EQ(list(), (std::vector<std::string>{"C:\\QZ4Work_ivanov", "C:\\Other",
                                                "c:\\qz4work_ivanov_2"}));
    EXPECT_EQ(m.readFile("C:\\QZ4Work_ivanov\\access.dat"), Two);
}

TEST_F(RepositoryButtonTest, AnErrorIsShownAndLeavesTheListAndWindowAsTheyWere) {
    const std::vector<std::string> before = list();
    answer(group, "petrov", ui::KeyReturn);
    form->workDirPage.Button11.click();
    ASSERT_EQ(m.dialogs.messages.size(), 1u);
    EXPECT_EQ(m.dialogs.messages[0].kind, MessageKind::Error);
    EXPECT_EQ(m.dialogs.messages[0].text, "Group abc24a1b has no student with login petrov.");
    EXPECT_EQ(list(), before);
    EXPECT_TRUE(m.shell.requests.empty());
    EXPECT_EQ(form->modalResult, ui::ModalResult::None);
    // The values are remembered all the same.
    EXPECT_EQ(form->settings().reposLogin, "petrov");
}

TEST_F(RepositoryButtonTest, CancelledDialogDoesNothing) {
    answer(group, "ivanov", ui::KeyEscape);
    form->workDirPage.Button11.click();
    EXPECT_TRUE(ftp.connections.empty());
    EXPECT_TRUE(m.dialogs.messages.empty());
    EXPECT_EQ(form->settings().reposLogin, "");
    EXPECT_EQ(form->modalResult, ui::ModalResult::None);
}

} // namespace
} // namespace qz
