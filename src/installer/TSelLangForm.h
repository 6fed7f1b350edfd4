// The installer's "Language" dialog, shown on a Russian system before the
// installer's own window.
#pragma once

#include "platform/Platform.h"
#include "ui/Form.h"

namespace qz {

class TSelLangForm : public ui::Form {
public:
    explicit TSelLangForm(Platform& platform);

    // "en" when English is checked, else "ru".
    std::string language() const;

    ui::Label Label1{*this, "Label1"};
    ui::RadioButton RadioButton1{*this, "RadioButton1"};
    ui::RadioButton RadioButton2{*this, "RadioButton2"};
    ui::Button Button1{*this, "Button1"};

    void RadioButton1DblClick();
};

} // namespace qz
