// Pasting one buffer into another and cutting a rectangle out of a buffer.
#include "imaging/buffer/vif_region.h"

#include <algorithm>

#include "imaging/buffer/vif_convert.h"
#include "imaging/buffer/vif_internal.h"

namespace imaging {

using namespace vif_internal;

int OverlapVif(_vif* destination, const _vif* source, std::uint32_t x, std::uint32_t y) {
    // Pasting outside the destination has no clipped rectangle to write.
    if (destination == nullptr || source == nullptr || x >= destination->width ||
        y >= destination->height) {
        return 0;
    }
    VifPtr converted;
    if (source->type != destination->type) {
        converted.reset(ConvertVifP(source, destination->type));
        if (!converted) {
            return 0;
        }
        source = converted.get();
    }
    const std::uint32_t columns = std::min(source->width, destination->width - x);
    const std::uint32_t rows = std::min(source->height, destination->height - y);
    copyRect(*destination, x, y, *source, 0, 0, columns, rows);
    return 1;
}

_vif* PartOfVif(const _vif* source, std::uint32_t x, std::uint32_t y, std::uint32_t width,
                std::uint32_t height) {
    if (source == nullptr || x >= source->width || y >= source->height) {
        return nullptr;
    }
    const std::uint32_t columns = std::min(width, source->width - x);
    const std::uint32_t rows = std::min(height, source->height - y);
    _vif* part = PrepareVifP(source->type, columns, rows);
    if (part != nullptr) {
        copyRect(*part, 0, 0, *source, x, y, columns, rows);
        copyAttributes(*part, *source);
    }
    return part;
}

}  // namespace imaging
