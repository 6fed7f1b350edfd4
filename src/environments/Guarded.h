// Detection probes never raise: a failing registry read, listing or file
// test only means "not found", and the next probe runs.
#pragma once

#include <exception>
#include <type_traits>

namespace qz {

// The probe's result, or an empty one when it failed.
template <class Probe> auto Guarded(Probe probe) -> decltype(probe()) {
    try {
        return probe();
    } catch (const std::exception&) {
        if constexpr (!std::is_void_v<decltype(probe())>)
            return {};
    }
}

} // namespace qz
