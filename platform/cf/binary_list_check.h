// A check of binary property lists made before libplist parses them.
#pragma once

#include <cstdint>
#include <span>

namespace cf::detail {

/// True when an object of the binary property list is a UTF-16 string holding U+0000. libplist
/// decodes such a string and then aborts the process when it is read, so the list is refused
/// before parsing. Lists whose tables cannot be walked are left to libplist's own checks.
bool binaryListHoldsZeroUnicodeUnit(std::span<const std::uint8_t> bytes);

}  // namespace cf::detail
