// Buffer sizes of a job.
#include "jobstart/job_buffers.h"

#include <algorithm>
#include <numeric>

#include "command/plane_layout.h"

namespace {

bool within(std::int32_t id, std::int32_t first, std::int32_t last) {
    return id >= first && id <= last;
}

}  // namespace

std::optional<std::uint32_t> colorRowBytes(const TARNColorSpace& space, std::uint32_t width) {
    if (within(space.id, 2, 5) || within(space.id, 34, 37)) {
        std::uint64_t bytes = 0;
        for (const std::uint8_t slot : planeSlots(space.planeCount)) {
            bytes += packedRowBytes(width, space.depth[slot]);
        }
        return bytes <= UINT32_MAX ? std::optional(static_cast<std::uint32_t>(bytes))
                                   : std::nullopt;
    }
    if (within(space.id, 18, 21)) {
        const std::uint32_t bits =
            std::accumulate(std::begin(space.depth), std::end(space.depth), std::uint32_t{0});
        return packedRowBytes(width, bits);
    }
    return std::nullopt;
}

std::uint64_t commandBufferBytes(const Cmd_Info& command, std::uint32_t rowBytes,
                                 bool largeFormat) {
    std::uint64_t bytes = std::uint64_t{kCommandBufferBase} + rowBytes;
    if (largeFormat) {
        for (const GeneralDataBlock& block : command.generalData) {
            bytes += block.length;
        }
    }
    return std::max<std::uint64_t>(bytes, command.bandCommandSize);
}
