// The window of a stand-in runtime program: what it is, the working
// directory it was started in and, for the results viewer, the student name
// read back from that directory's results.dat.
#pragma once

#include "StandInRole.h"
#include "platform/FileSystem.h"
#include "ui/Form.h"

namespace qz::demo {

class TStandInForm : public ui::Form {
public:
    TStandInForm(Dialogs& dialogs, FileSystem& files, const StandInRole& role);

    ui::Label Label1{*this, "Label1"}; // program and purpose
    ui::Label Label2{*this, "Label2"}; // working directory
    ui::Label Label3{*this, "Label3"}; // student name (results viewer only)
    ui::Button Button1{*this, "Button1"};
};

// Label3's text for a working directory: the student name, or why there is none.
std::string StudentLine(FileSystem& files, const std::string& folder);

} // namespace qz::demo
