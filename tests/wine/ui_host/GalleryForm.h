// A window with every kind of control, for the renderer's own scenario: each
// event writes what happened into Label1, so the driver can read it back.
#pragma once

#include "text/Text.h"
#include "ui/Form.h"

#include <string>

namespace qz {

class GalleryForm : public ui::Form {
public:
    explicit GalleryForm(Dialogs& dialogs) : ui::Form(dialogs, "TGalleryForm") {
        caption = "Controls";
        clientWidth = 520;
        clientHeight = 330;
        keyPreview = true;
        font = ui::Font{"Arial", 14};

        Panel1.setBounds(0, 0, 520, 40);
        Panel1.caption = "Panel1";
        Panel1.font = ui::Font{"Arial", 20, true};
        Label1.setBounds(10, 50, 300, 18);
        Label1.caption = "ready";
        Label2.setBounds(320, 50, 190, 18);
        Label2.caption = "www.example.org";
        Label2.font = ui::Font{"Arial", 14, false, true, ui::clBlue};
        Label2.cursor = ui::Cursor::HandPoint;
        Label2.onClick = [this] { report("Label2 click"); };
        StaticText1.setBounds(10, 74, 500, 22);
        StaticText1.caption = "StaticText1";

        CheckListBox1.setBounds(10, 104, 160, 80);
        CheckListBox1.allowGrayed = true;
        CheckListBox1.addItem("Delphi", ui::CheckState::Checked);
        CheckListBox1.addItem("Lazarus", ui::CheckState::Grayed);
        CheckListBox1.addItem("Python");
        CheckListBox1.onClickCheck = [this] {
            report("ClickCheck " + std::to_string(CheckListBox1.itemIndex));
        };
        ListBox1.setBounds(180, 104, 160, 80);
        ListBox1.items = {"one", "two", "three"};
        ListBox1.onClick = [this] { report("ListBox1 " + std::to_string(ListBox1.itemIndex)); };
        ComboBox1.setBounds(350, 104, 160, 24);
        ComboBox1.items = {"red", "green", "blue"};
        ComboBox1.itemIndex = 0;
        ComboBox1.onChange = [this] { report("ComboBox1 " + ComboBox1.caption); };
        CheckBox1.setBounds(350, 136, 160, 20);
        CheckBox1.caption = "CheckBox1";
        CheckBox1.allowGrayed = true;
        ProgressBar1.setBounds(350, 164, 160, 18);
        ProgressBar1.position = 40;

        PageControl1.setBounds(10, 192, 500, 90);
        Edit1.setBounds(10, 10, 200, 23);
        Edit1.maxLength = 10;
        Edit1.onChange = [this] { report("Edit1 " + Edit1.caption); };
        // A handler that rewrites what is being typed.
        Edit2.setBounds(220, 10, 200, 23);
        Edit2.onChange = [this] { Edit2.caption = text::upperAscii(Edit2.caption); };
        Memo1.setBounds(10, 10, 480, 70);
        Memo1.readOnly = true;
        Memo1.verticalScrollBar = true;
        Memo1.lines = {"Memo1 on the second page,", "which has no tab."};

        Button1.setBounds(10, 292, 120, 28);
        Button1.caption = "Next page";
        Button1.onClick = [this] {
            PageControl1.activePage = &TabSheet2;
            ProgressBar1.position = 80;
            report("Button1 click");
        };
        Button2.setBounds(140, 292, 120, 28);
        Button2.caption = "Add\r\nitem";
        Button2.flat = true;
        Button2.onClick = [this] { ListBox1.items.push_back("four"); };
        Button3.setBounds(390, 292, 120, 28);
        Button3.caption = "Disabled";
        Button3.enabled = false;
        Button1.hint = "Shows the second page";
        activeControl = &ListBox1;
    }

    void FormKeyDown(ui::Key key, ui::Shift shift) override {
        if (key >= ui::KeyF1 && key <= ui::KeyF12)
            report(std::string(shift.alt ? "Alt+" : "") + "F" +
                   std::to_string(key - ui::KeyF1 + 1));
    }

    ui::Panel Panel1{*this, "Panel1"};
    ui::Label Label1{*this, "Label1"};
    ui::Label Label2{*this, "Label2"};
    ui::StaticText StaticText1{*this, "StaticText1"};
    ui::CheckListBox CheckListBox1{*this, "CheckListBox1"};
    ui::ListBox ListBox1{*this, "ListBox1"};
    ui::ComboBox ComboBox1{*this, "ComboBox1"};
    ui::CheckBox CheckBox1{*this, "CheckBox1"};
    ui::ProgressBar ProgressBar1{*this, "ProgressBar1"};
    ui::PageControl PageControl1{*this, "PageControl1"};
    ui::TabSheet TabSheet1{*this, "TabSheet1", PageControl1};
    ui::TabSheet TabSheet2{*this, "TabSheet2", PageControl1};
    ui::Edit Edit1{*this, "Edit1", &TabSheet1};
    ui::Edit Edit2{*this, "Edit2", &TabSheet1};
    ui::Memo Memo1{*this, "Memo1", &TabSheet2};
    ui::Button Button1{*this, "Button1"};
    ui::Button Button2{*this, "Button2"};
    ui::Button Button3{*this, "Button3"};

private:
    void report(const std::string& what) { Label1.caption = what; }
};

} // namespace qz
