#include "installer/TSelLangForm.h"

namespace qz {
namespace {

// Russian as spoken in Russia (1049): the primary language alone would also
// take Russian of Moldova (0x0819).
constexpr std::uint16_t LanguageRussian = 0x0419;

} // namespace

TSelLangForm::TSelLangForm(Platform& platform) : ui::Form(platform.dialogs, "TSelLangForm") {
    caption = "Language";
    clientWidth = 240;
    clientHeight = 132;
    font = ui::Font{"Arial", 14};

    Label1.setBounds(16, 12, 208, 18);
    RadioButton1.setBounds(28, 38, 180, 20);
    RadioButton1.caption = "English";
    RadioButton2.setBounds(28, 62, 180, 20);
    RadioButton1.onDblClick = [this] { RadioButton1DblClick(); };
    RadioButton2.onDblClick = [this] { RadioButton1DblClick(); };

    // The dialog speaks the language of the system's user interface and
    // proposes it.
    bool russian = platform.system.uiLanguageId() == LanguageRussian;
    Label1.caption = russian ? "Выберите язык:" : "Select a language:";
    RadioButton2.caption = russian ? "Русский" : "Russian";
    ui::RadioButton& proposed = russian ? RadioButton2 : RadioButton1;
    proposed.setChecked(true);
    proposed.focus();

    // OK answers Enter and Esc alike.
    Button1.setBounds(80, 96, 80, 26);
    Button1.caption = "OK";
    Button1.isDefault = true;
    Button1.isCancel = true;
    Button1.modalResult = ui::ModalResult::Ok;
}

std::string TSelLangForm::language() const {
    return RadioButton1.checked ? "en" : "ru";
}

void TSelLangForm::RadioButton1DblClick() {
    modalResult = ui::ModalResult::Ok;
}

} // namespace qz
