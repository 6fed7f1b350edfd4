#include "locale/ErrorName.h"

#include <cxxabi.h>

#include <cstdlib>
#include <memory>
#include <typeinfo>

namespace qz {

std::string ErrorClassName(const std::exception& error) {
    const char* mangled = typeid(error).name();
    int status = 0;
    std::unique_ptr<char, decltype(&std::free)> demangled(
        abi::__cxa_demangle(mangled, nullptr, nullptr, &status), &std::free);
    std::string name = status == 0 && demangled ? demangled.get() : mangled;
    std::size_t scope = name.rfind("::");
    return scope == std::string::npos ? name : name.substr(scope + 2);
}

std::string DescribeError(std::exception_ptr error) {
    try {
        std::rethrow_exception(error);
    } catch (const std::exception& e) {
        return ErrorClassName(e) + ": " + e.what();
    } catch (...) {
        return "Exception";
    }
}

void ShowUnhandledError(Dialogs& dialogs, std::exception_ptr error) {
    dialogs.showMessage({MessageKind::Error, DescribeError(error), "", {DialogButton::Ok}});
}

} // namespace qz
