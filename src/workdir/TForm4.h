// The name dialog: asks for the student's name that goes into a results file.
#pragma once

#include "ui/Form.h"

namespace qz {

class TForm4 : public ui::Form {
public:
    static constexpr int MaxNameLength = 25;

    explicit TForm4(Dialogs& dialogs);

    // Readies the dialog before it is shown: its caption and the proposed
    // name, with the caret at the end of the name and the focus on it.
    void prepare(const std::string& caption, const std::string& name);

    ui::Label Label1{*this, "Label1"};
    ui::Edit Edit1{*this, "Edit1"};
    ui::Button Button1{*this, "Button1"};
    ui::Button Button2{*this, "Button2"};

    void Edit1Change();
};

} // namespace qz
