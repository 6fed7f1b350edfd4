#include "workdir/TForm4.h"

#include "locale/Catalogue.h"
#include "text/Text.h"

namespace qz {

TForm4::TForm4(Dialogs& dialogs) : ui::Form(dialogs, "TForm4") {
    caption = MsgResultsFileCreation;
    clientWidth = 380;
    clientHeight = 126;
    font = ui::Font{"Arial", 14};

    Label1.setBounds(12, 10, 356, 36);
    Label1.wordWrap = true;
    Label1.caption = MsgEnterUserData;

    Edit1.setBounds(12, 54, 356, 23);
    Edit1.maxLength = MaxNameLength;
    Edit1.onChange = [this] { Edit1Change(); };

    Button1.setBounds(200, 90, 80, 26);
    Button1.caption = "OK";
    Button1.isDefault = true;
    Button1.modalResult = ui::ModalResult::Ok;
    Button1.enabled = false;

    Button2.setBounds(288, 90, 80, 26);
    Button2.caption = MsgCancel;
    Button2.isCancel = true;
    Button2.modalResult = ui::ModalResult::Cancel;

    activeControl = &Edit1;
}

void TForm4::prepare(const std::string& dialogCaption, const std::string& name) {
    caption = dialogCaption;
    Edit1.caption = name;
    Edit1.selStart = static_cast<int>(text::toUtf16(name).size());
    Button1.enabled = !name.empty();
    Edit1.focus();
}

void TForm4::Edit1Change() {
    Button1.enabled = !Edit1.caption.empty();
}

} // namespace qz
