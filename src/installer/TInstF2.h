// The installer's viewer of its readme and licence texts.
#pragma once

#include "platform/Platform.h"
#include "ui/Form.h"

namespace qz {

class TInstF2 : public ui::Form {
public:
    explicit TInstF2(Platform& platform);

    // Captions of the viewer in the active language; the Russian readme
    // caption names the product in the genitive ("задачника").
    static std::string readmeCaption(const std::string& productGenitive);
    static std::string licenceCaption();

    // Shows a text file of the installer's folder, reflowed into paragraphs,
    // modally under the given caption. When the file does not exist nothing
    // opens and the result is false.
    bool showDocument(const std::string& path, const std::string& documentCaption);

    ui::Memo Memo1{*this, "Memo1"};
    ui::Panel Panel1{*this, "Panel1"};
    ui::Button Button1{*this, "Button1", &Panel1};

    void FormShow() override;
    void FormKeyPress(char16_t key) override;

private:
    Platform& platform_;
};

} // namespace qz
