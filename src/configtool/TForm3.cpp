#include "configtool/TForm3.h"

#include "configtool/AboutPicture.h"
#include "locale/Catalogue.h"
#include "locale/Language.h"

namespace qz {

TForm3::TForm3(Dialogs& dialogs) : ui::Form(dialogs, "TForm3") {
    caption = MsgAboutCaption;
    clientWidth = 444;
    clientHeight = 151;
    keyPreview = true;
    font = ui::Font{"Arial", 13};

    Image1.setBounds(12, 12, 78, 112);
    Image1.bitmap = aboutPicture();
    Image1.stretch = true;
    Image1.framed = true;

    Label1.setBounds(106, 12, 326, 26);
    Label1.font = ui::Font{"Arial", 22, true, false, ui::rgb(0, 0, 192)};
    Label1.caption = Pick("Задачник Quazzle 4", "Quazzle 4 problem book");

    // Five lines of the Russian text fit above the button.
    Label2.setBounds(106, 42, 326, 70);
    Label2.font = ui::Font{"Arial", 12};
    Label2.wordWrap = true;
    Label2.caption = Pick("Электронный задачник по программированию с проверкой решений. "
                          "Программа QZ4Setup подключает его к средам программирования "
                          "и готовит рабочие каталоги учащихся.",
                          "An electronic book of programming exercises that checks the solutions. "
                          "QZ4Setup connects it to your programming environments and prepares "
                          "the students' working directories.");

    Button1.setBounds(352, 116, 80, 26);
    Button1.caption = "OK";
    Button1.isDefault = true;
    Button1.modalResult = ui::ModalResult::Ok;
    activeControl = &Button1;
}

void TForm3::FormKeyDown(ui::Key key, ui::Shift shift) {
    if (key == ui::KeyEscape && shift.none())
        close();
}

} // namespace qz
