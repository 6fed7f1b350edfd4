#include "TestSupport.h"

#include "configtool/TForm3.h"
#include "locale/Catalogue.h"
#include "locale/Language.h"
#include "locale/LanguageReset.h"

#include <gtest/gtest.h>

namespace qz {
namespace {

class TForm3Test : public ::testing::TestWithParam<const char*> {
protected:
    TForm3Test() {
        ResetLanguageState();
        SetLanguage(GetParam());
        FillCatalogue();
    }
    ~TForm3Test() override { ResetLanguageState(); }

    test::TestMachine machine;
};

TEST_P(TForm3Test, ShowsTheAuthorBoxInTheActiveLanguage) {
    TForm3 about(machine.dialogs);
    EXPECT_EQ(about.caption, MsgAboutCaption);
    EXPECT_EQ(about.clientWidth, 444);
    EXPECT_EQ(about.clientHeight, 151);
    EXPECT_TRUE(about.keyPreview);
    EXPECT_EQ(about.defaultButton(), &about.Button1);
    bool russian = std::string(GetParam()) == "ru";
    EXPECT_EQ(about.Label2.caption.find("QZ4Setup") != std::string::npos, true);
    EXPECT_EQ(about.Label1.caption.find("Задачник") == 0, russian);
}

TEST_P(TForm3Test, PictureIsABitmapOfThePictureFrameSize) {
    TForm3 about(machine.dialogs);
    std::string_view bmp = about.Image1.bitmap;
    ASSERT_GT(bmp.size(), 54u);
    EXPECT_EQ(bmp.substr(0, 2), "BM");
    auto le16 = [&](std::size_t at) {
        return static_cast<std::uint8_t>(bmp[at]) | static_cast<std::uint8_t>(bmp[at + 1]) << 8;
    };
    EXPECT_EQ(le16(18), about.Image1.width);
    EXPECT_EQ(le16(22), about.Image1.height);
    EXPECT_TRUE(about.Image1.stretch);
}

TEST_P(TForm3Test, OkAndEnterAndEscCloseIt) {
    struct Case {
        ui::Key key;
        ui::ModalResult result;
    };
    for (Case c :
         {Case{ui::KeyReturn, ui::ModalResult::Ok}, Case{ui::KeyEscape, ui::ModalResult::Cancel},
          Case{ui::KeyF1, ui::ModalResult::None}}) {
        TForm3 about(machine.dialogs);
        about.pressKey(c.key);
        EXPECT_EQ(about.modalResult, c.result) << c.key;
    }
    TForm3 about(machine.dialogs);
    about.Button1.click();
    EXPECT_EQ(about.modalResult, ui::ModalResult::Ok);
}

INSTANTIATE_TEST_SUITE_P(Languages, TForm3Test, ::testing::Values("en", "ru"));

} // namespace
} // namespace qz
