#pragma once

#include <string_view>

// Messages the core hands to its caller for showing. The core never shows
// anything itself.
namespace apqr::texts {

inline constexpr std::string_view kModulusOutOfRange =
    "Der Modul muss zwischen 2 und 32767 liegen.";

}  // namespace apqr::texts
