#include "ToolPorts.h"
#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/Win32Registry.h"
#include "platform/win32/Win32Resources.h"
#include "platform/win32/Win32Shell.h"
#include "platform/win32/Win32SystemInfo.h"

namespace qz::tool {
namespace {

class WindowsPorts : public ToolPorts {
public:
    Platform& platform() override { return platform_; }
    // The wide command line, so that names outside the ANSI code page survive.
    std::vector<std::string> arguments() const override { return system_.commandLine(); }

private:
    Win32FileSystem files_;
    Win32Registry registry_;
    Win32SystemInfo system_;
    QuietDialogs dialogs_;
    Win32Resources resources_;
    Win32Shell shell_;
    Platform platform_{files_, registry_, system_, dialogs_, resources_, shell_};
};

} // namespace

std::unique_ptr<ToolPorts> MakeToolPorts(int, char**) {
    return std::make_unique<WindowsPorts>();
}

} // namespace qz::tool
