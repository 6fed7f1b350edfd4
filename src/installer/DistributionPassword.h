// The password of the distribution archive's entries: the installer decrypts
// with it and the distribution tool encrypts with it, so both read it here.
#pragma once

namespace qz {

inline constexpr char DistributionPassword[] = "4754293826553339906273278048478143";

} // namespace qz
