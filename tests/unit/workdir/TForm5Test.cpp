#include "TestSupport.h"

#include "locale/Catalogue.h"
#include "locale/Language.h"
#include "locale/LanguageReset.h"
#include "workdir/TForm5.h"

#include <gtest/gtest.h>

namespace qz {
namespace {

class TForm5Test : public ::testing::Test {
protected:
    TForm5Test() {
        ResetLanguageState();
        SetLanguage("en");
        FillCatalogue();
        machine.files.createDirectories("C:\\QZ4");
    }
    ~TForm5Test() override { ResetLanguageState(); }

    // The dialog as it stands when shown; the user acts on it afterwards.
    void show(const std::string& group = "", const std::string& login = "") {
        dialog.prepare(p, group, login);
        dialog.FormShow();
    }
    void giveCertificate() { machine.writeFile(p + "access.dat", "certificate"); }

    const std::string p = "C:\\QZ4\\";
    test::TestMachine machine;
    TForm5 dialog{machine.dialogs, machine.files};
};

TEST_F(TForm5Test, ShowsItsTextsInTheActiveLanguage) {
    struct Case {
        const char* language;
        const char* caption;
        const char* group;
        const char* login;
        const char* cancel;
        const char* replace;
    } cases[] = {
        {"ru", "Настроить рабочие каталоги из репозитория", "Имя группы в репозитории:",
         "Логин учащегося:", "Отмена", "Заменить сертификат подключения к репозиторию [F2]"},
        {"en", "Configure work directories from repository", "Repository group name:",
         "Student login:", "Cancel", "Replace repository connection certificate [F2]"},
    };
    giveCertificate();
    for (const Case& c : cases) {
        SetLanguage(c.language);
        FillCatalogue();
        show();
        EXPECT_EQ(dialog.caption, c.caption);
        EXPECT_EQ(dialog.Label1.caption, c.group);
        EXPECT_EQ(dialog.Label2.caption, c.login);
        EXPECT_EQ(dialog.Button2.caption, "OK");
        EXPECT_EQ(dialog.Button3.caption, c.cancel);
        EXPECT_EQ(dialog.Button1.caption, c.replace);
    }
}

TEST_F(TForm5Test, WithoutACertificateOnlyItsSelectionIsOffered) {
    show("abc24a1b", "ivanov");
    EXPECT_EQ(dialog.Button1.caption, "Select repository connection certificate [F2]");
    for (ui::Control* c : std::initializer_list<ui::Control*>{&dialog.Label1, &dialog.Label2,
                                                              &dialog.Edit1, &dialog.Edit2})
        EXPECT_FALSE(c->enabled) << c->name();
    EXPECT_EQ(dialog.activeControl, &dialog.Button1);

    // F2 opens the file dialog in the program directory; the chosen file
    // becomes access.dat and the fields open.
    machine.writeFile("D:\\mail\\access.dat", "teacher's certificate");
    machine.dialogs.openFileAnswers.push_back("D:\\mail\\access.dat");
    dialog.pressKey(ui::KeyF2);
    ASSERT_EQ(machine.dialogs.openFileRequests.size(), 1u);
    const OpenFileRequest& request = machine.dialogs.openFileRequests[0];
    EXPECT_EQ(request.title, "Select repository connection certificate");
    EXPECT_EQ(request.filter, "Certificates (access.dat)|access.dat");
    EXPECT_EQ(request.initialDirectory, p);
    EXPECT_TRUE(request.fileMustExist);
    EXPECT_EQ(request.defaultExtension, "dat");
    EXPECT_EQ(machine.readFile(p + "access.dat"), "teacher's certificate");
    EXPECT_EQ(dialog.Button1.caption, "Replace repository connection certificate [F2]");
    EXPECT_TRUE(dialog.Edit1.enabled && dialog.Edit2.enabled && dialog.Label1.enabled);
    EXPECT_EQ(dialog.activeControl, &dialog.Edit1);

    // Cancelling the file dialog changes nothing.
    dialog.Button1.click();
    EXPECT_EQ(machine.readFile(p + "access.dat"), "teacher's certificate");
    EXPECT_TRUE(machine.dialogs.messages.empty());

    // A file that cannot be copied is reported; the certificate in place stays.
    machine.dialogs.openFileAnswers.push_back("D:\\mail\\gone.dat");
    dialog.pressKey(ui::KeyF2);
    ASSERT_EQ(machine.dialogs.messages.size(), 1u);
    EXPECT_EQ(machine.dialogs.messages[0].text,
              "Could not copy the file D:\\mail\\gone.dat to " + p + "access.dat.");
    EXPECT_EQ(machine.readFile(p + "access.dat"), "teacher's certificate");
}

TEST_F(TForm5Test, RememberedValuesNeedAChangeBeforeOk) {
    giveCertificate();
    show("abc24a1b", "ivanov");
    EXPECT_EQ(dialog.Edit1.caption, "abc24a1b");
    EXPECT_EQ(dialog.Edit2.caption, "ivanov");
    EXPECT_FALSE(dialog.Button2.enabled);
    dialog.pressKey(ui::KeyReturn);
    EXPECT_EQ(dialog.modalResult, ui::ModalResult::None);

    dialog.Edit2.enterText("ivanov2");
    EXPECT_TRUE(dialog.Button2.enabled);
    dialog.Edit2.enterText("ivanov");
    EXPECT_TRUE(dialog.Button2.enabled);
}

TEST_F(TForm5Test, OkNeedsAValidGroupAndLogin) {
    giveCertificate();
    show();
    struct Case {
        const char* group;
        const char* login;
        bool ok;
    } cases[] = {
        {"abc24a1b", "ivanov", true},
        {"abc24a12x", "ivanov", true},       // position 8 takes a digit too
        {"abc24a1bcdefg", "i", true},        // 13 characters
        {"abc24a1", "ivanov", false},        // 7 characters
        {"abc24a1bcdefgh", "ivanov", false}, // 14 characters
        {"abc24a12", "ivanov", false},       // ends in a digit
        {"abc24a1bcd9f", "ivanov", false},   // a digit where letters go
        {"Abc24a1b", "ivanov", false},       // upper case
        {"ab124a1b", "ivanov", false},       // a digit among the first three
        {"abcd4a1b", "ivanov", false},       // a letter where a digit goes
        {"abc2401b", "ivanov", false},       // a digit where a letter goes
        {"abc24a1b", "", false},
        {"abc24a1b", "iv+an-ov_9", true},
        {"abc24a1b", "Ivanov", false},
        {"abc24a1b", "iva nov", false},
        {"abc24a1b", "ivanов", false},
    };
    for (const Case& c : cases) {
        dialog.Edit1.enterText(c.group);
        dialog.Edit2.enterText(c.login);
        EXPECT_EQ(dialog.Button2.enabled, c.ok) << c.group << " " << c.login;
    }
}

TEST_F(TForm5Test, KeyboardGivesLowerCaseLatinLettersAndDigitsOnly) {
    giveCertificate();
    show();
    const ui::Shift none{}, shift{true, false, false}, ctrl{false, false, true};
    struct Case {
        char16_t typed;
        ui::Key key;
        ui::Shift held;
        std::optional<char16_t> taken;
    } cases[] = {
        {u'k', ui::Key(0x4B), none, u'k'},
        {u'K', ui::Key(0x4B), shift, u'k'},
        {u'л', ui::Key(0x4B), none, u'k'}, // a Russian layout's K key
        {u'Л', ui::Key(0x4B), shift, u'k'},
        {u'7', ui::Key(0x37), none, u'7'},
        {u'&', ui::Key(0x37), shift, std::nullopt},
        {u'+', ui::Key(0xBB), shift, std::nullopt}, // pasted only
        {u'-', ui::Key(0xBD), none, std::nullopt},
        {u'_', ui::Key(0xBD), shift, std::nullopt},
        {u' ', ui::KeySpace, none, std::nullopt},
        {u'ж', ui::Key(0xBA), none, std::nullopt}, // a letter on a punctuation key
        {u'Q', ui::KeyNone, none, u'q'},           // a character without its key
        {u'я', ui::KeyNone, none, std::nullopt},
        {u'\b', ui::KeyBack, none, u'\b'},
        {u'\r', ui::KeyReturn, none, u'\r'},
        {u'\x1b', ui::KeyEscape, none, u'\x1b'},
        // Ctrl+V and Ctrl+C reach the edit as they are, so pasting works.
        {u'\x16', ui::Key(0x56), ctrl, u'\x16'},
        {u'\x03', ui::Key(0x43), ctrl, u'\x03'},
    };
    for (ui::Edit* edit : {&dialog.Edit1, &dialog.Edit2})
        for (const Case& c : cases)
            EXPECT_EQ(edit->filterCharacter(c.typed, c.key, c.held), c.taken)
                << edit->name() << " U+" << std::hex << int(c.typed);
}

TEST_F(TForm5Test, TypedFieldsAreTakenWithOk) {
    giveCertificate();
    show("abc24a1b", "old");
    machine.dialogs.formAnswers.push_back([](ModalWindow& form) {
        auto& d = static_cast<TForm5&>(form);
        d.Edit2.enterText("");
        // "Иванов" typed on a Russian layout, keys B, D, F, Y, J, D.
        const char16_t typed[] = u"ИВАНОВ";
        const ui::Key keys[] = {ui::Key('B'), ui::Key('D'), ui::Key('F'),
                                ui::Key('Y'), ui::Key('J'), ui::Key('D')};
        for (int i = 0; i < 6; ++i)
            d.Edit2.typeCharacter(typed[i], keys[i], ui::Shift{true, false, false});
        d.pressKey(ui::KeyReturn);
        return d.modalResult;
    });
    EXPECT_EQ(dialog.showModal(), ui::ModalResult::Ok);
    EXPECT_EQ(dialog.groupName(), "abc24a1b");
    EXPECT_EQ(dialog.login(), "bdfyjd");

    // Cancel keeps the values it was given.
    dialog.prepare(p, "abc24a1b", "old");
    machine.dialogs.formAnswers.push_back([](ModalWindow& form) {
        auto& d = static_cast<TForm5&>(form);
        d.Edit2.enterText("new");
        d.pressKey(ui::KeyEscape);
        return d.modalResult;
    });
    EXPECT_EQ(dialog.showModal(), ui::ModalResult::Cancel);
    EXPECT_EQ(dialog.login(), "old");
}

} // namespace
} // namespace qz
