#include "installer/TInstF2.h"

#include "installer/ParagraphReflow.h"
#include "locale/Format.h"
#include "locale/Language.h"
#include "text/Text.h"

namespace qz {

TInstF2::TInstF2(Platform& platform) : ui::Form(platform.dialogs, "TInstF2"), platform_(platform) {
    clientWidth = 620;
    clientHeight = 440;
    keyPreview = true;
    font = ui::Font{"Arial", 14};

    Panel1.setBounds(0, clientHeight - 44, clientWidth, 44);
    Panel1.bevel = ui::Bevel::None;
    Memo1.setBounds(0, 0, clientWidth, Panel1.top);
    Memo1.readOnly = true;
    Memo1.wordWrap = true;
    Memo1.verticalScrollBar = true;

    Button1.caption = "OK";
    Button1.isDefault = true;
    Button1.modalResult = ui::ModalResult::Ok;
    // FormCreate's placement: the button keeps 15 pixels to the panel's right edge.
    Button1.setBounds(Panel1.width - 80 - 15, 9, 80, 26);
}

std::string TInstF2::readmeCaption(const std::string& productGenitive) {
    return Pick(Format("Описание %s [файл readme.txt]", {productGenitive}),
                "About Quazzle 4 [readme_en.txt]");
}

std::string TInstF2::licenceCaption() {
    return Pick("Лицензионное соглашение [файл license.txt]", "License agreement [license_en.txt]");
}

bool TInstF2::showDocument(const std::string& path, const std::string& documentCaption) {
    if (!platform_.files.fileExists(path))
        return false;
    caption = documentCaption;
    Memo1.lines.clear();
    std::string bytes;
    if (auto file = platform_.files.open(path, OpenMode::Read)) {
        char buffer[4096];
        while (std::size_t count = file->read(buffer, sizeof buffer))
            bytes.append(buffer, count);
    }
    Memo1.lines = reflowParagraphs(splitLines(platform_.system.ansiText().decode(bytes)));
    showModal();
    return true;
}

void TInstF2::FormShow() {
    Memo1.focus();
    Memo1.selStart = 0;
}

void TInstF2::FormKeyPress(char16_t key) {
    if (key == ui::KeyEscape)
        close();
}

} // namespace qz
