// Checks of binary property lists made before libplist parses them.
#pragma once

#include <cstdint>
#include <span>

namespace cf::detail {

/// True when an object of the binary property list is a UTF-16 string holding U+0000. libplist
/// decodes such a string and then aborts the process when it is read, so the list is refused
/// before parsing. Lists whose tables cannot be walked are left to libplist's own checks.
bool binaryListHoldsZeroUnicodeUnit(std::span<const std::uint8_t> bytes);

/// True when no object of the binary property list lies deeper than `maxDepth` below the top
/// object (which lies at depth 0) and no container holds itself. libplist parses and frees
/// containers recursively, so a deeper or cyclic list would exhaust the stack. The object graph
/// is walked without recursion, each object's contents once. A list whose tables cannot be
/// walked (a trailer, offset or reference leading outside the list) fails.
bool binaryListNestingWithin(std::span<const std::uint8_t> bytes, int maxDepth);

}  // namespace cf::detail
