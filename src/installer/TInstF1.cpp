#include "installer/TInstF1.h"

#include "locale/Language.h"

namespace qz {

TInstF1::TInstF1(Platform& platform) : ui::Form(platform.dialogs, "TInstF1") {
    caption = "QZ4Complete Install";
    clientWidth = 520;
    clientHeight = 330;
    keyPreview = true;
    Label1.setBounds(16, 16, 488, 60);
    Label1.wordWrap = true;
    Label1.caption = Pick("Программа установки задачника Quazzle.",
                          "The setup program of the Quazzle problem book.");
    Button2.setBounds(420, 290, 85, 28);
    Button2.caption = Pick("Выход", "Exit");
    Button2.isCancel = true;
    Button2.modalResult = ui::ModalResult::Cancel;
}

void TInstF1::FormKeyDown(ui::Key key, ui::Shift shift) {
    if (key == ui::KeyF4 && shift.alt)
        close();
}

} // namespace qz
