// The installer's wizard window, as far as it is built yet: its frame and an
// Exit button. The language, directory and install steps join it later.
#pragma once

#include "platform/Platform.h"
#include "ui/Form.h"

namespace qz {

class TInstF1 : public ui::Form {
public:
    explicit TInstF1(Platform& platform);

    ui::Label Label1{*this, "Label1"};
    ui::Button Button2{*this, "Button2"};

    void FormKeyDown(ui::Key key, ui::Shift shift) override;
};

} // namespace qz
