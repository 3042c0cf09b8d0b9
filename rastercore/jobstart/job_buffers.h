// The sizes of the two buffers a job allocates at its start: the colour-processed row and the
// command buffer.
#pragma once

#include <cstdint>
#include <optional>

#include "command/cmd_info.h"

/// Room of the command buffer beside one row's planes and the header's colour tables.
inline constexpr std::uint32_t kCommandBufferBase = 65536;

/// Bytes of one colour-processed row of `width` pixels in `space`: for the spaces 2 to 5 and 34
/// to 37 its planes, each rounded up to whole bytes; for 18 to 21 the depths of all ten slots
/// together, rounded up once. Nothing for any other space.
std::optional<std::uint32_t> colorRowBytes(const TARNColorSpace& space, std::uint32_t width);

/// Bytes of the command buffer: kCommandBufferBase, one row's planes and, for the large-format
/// family, the lengths of the eight colour tables; at least the generator's largest band.
std::uint64_t commandBufferBytes(const Cmd_Info& command, std::uint32_t rowBytes, bool largeFormat);
