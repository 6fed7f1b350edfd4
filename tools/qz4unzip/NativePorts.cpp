#include "ToolPorts.h"
#include "platform/host/HostRegistry.h"
#include "platform/host/HostResources.h"
#include "platform/host/HostShell.h"
#include "platform/host/HostSystemInfo.h"
#include "platform/host/PosixFileSystem.h"
#include "unzip/resources/EmbeddedStrings.h"

namespace qz::tool {
namespace {

class NativePorts : public ToolPorts {
public:
    NativePorts(int argc, char** argv) : arguments_(argv + 1, argv + argc) {
        registerUnzipStrings(resources_);
    }
    Platform& platform() override { return platform_; }
    std::vector<std::string> arguments() const override { return arguments_; }

private:
    std::vector<std::string> arguments_;
    PosixFileSystem files_;
    HostRegistry registry_;
    HostSystemInfo system_; // names without the UTF-8 flag are read in code page 437
    QuietDialogs dialogs_;
    HostResources resources_;
    HostShell shell_;
    Platform platform_{files_, registry_, system_, dialogs_, resources_, shell_};
};

} // namespace

std::unique_ptr<ToolPorts> MakeToolPorts(int argc, char** argv) {
    return std::make_unique<NativePorts>(argc, argv);
}

} // namespace qz::tool
