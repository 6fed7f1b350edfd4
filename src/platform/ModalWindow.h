// One of the program's own windows, as the Dialogs port sees it: something to
// show modally. The window layer above the ports implements it, and only that
// layer's presenter looks inside.
#pragma once

namespace qz {

class ModalWindow {
public:
    virtual ~ModalWindow() = default;

protected:
    ModalWindow() = default;
    ModalWindow(const ModalWindow&) = default;
    ModalWindow& operator=(const ModalWindow&) = default;
};

} // namespace qz
