// Appending replies to the caller's memory handle.
#include <cstring>
#include <limits>

#include "glue/glue_error.h"
#include "glue/glue_internal.h"

namespace device {

std::int32_t glueAppend(WqsMemHandle* handle, std::uint32_t& size, const std::uint8_t* data,
                        std::uint32_t length) {
    if (length == 0) {
        return kGlueNoErr;
    }
    if (handle == nullptr || data == nullptr) {
        return kGlueParamErr;
    }
    if (length > std::numeric_limits<std::uint32_t>::max() - size) {
        return kGlueMemErr;
    }
    const std::int32_t status = Wqs_Mem_SetHandleSize(handle, size + length);
    if (status != kGlueNoErr) {
        return status;
    }
    std::memcpy(handle->data + size, data, length);
    size += length;
    return kGlueNoErr;
}

void glueFitHandle(WqsMemHandle* handle, std::uint32_t size) {
    // Shrinking keeps the data even if realloc refuses; the handle is then merely larger.
    if (handle != nullptr && handle->size != size) {
        Wqs_Mem_SetHandleSize(handle, size);
    }
}

}  // namespace device
