// The About box of the configuration tool.
#pragma once

#include "ui/Form.h"

namespace qz {

class TForm3 : public ui::Form {
public:
    explicit TForm3(Dialogs& dialogs);

    ui::Picture Image1{*this, "Image1"};
    ui::Label Label1{*this, "Label1"};
    ui::Label Label2{*this, "Label2"};
    ui::Button Button1{*this, "Button1"};

    void FormKeyDown(ui::Key key, ui::Shift shift) override;
};

} // namespace qz
