// Copying names into callers' buffers.
#pragma once

#include <cstddef>
#include <string_view>

namespace device {

/// Copies `name` into `buffer` of `size` bytes (size > 0) with a terminating zero, cut to the
/// last whole UTF-8 character that fits.
void CopyNameToBuffer(std::string_view name, char* buffer, std::size_t size);

}  // namespace device
