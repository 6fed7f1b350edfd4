// The configuration tool's dialogs, built together for one pass of the main
// window (with its window, or without one).
#pragma once

#include "configtool/TForm1.h"
#include "configtool/TForm3.h"
#include "environments/TForm7.h"
#include "environments/TForm8.h"
#include "workdir/TForm4.h"
#include "workdir/TForm5.h"

namespace qz {

struct ToolWindows {
    ToolWindows(Dialogs& dialogs, FileSystem& files)
        : about(dialogs), name(dialogs), output(dialogs, files), environment(dialogs, files),
          repository(dialogs, files) {}

    TForm3 about;
    TForm4 name;
    TForm7 output;
    TForm8 environment;
    TForm5 repository;

    ToolDialogs dialogs() { return {about, name, output, environment, repository}; }
};

} // namespace qz
