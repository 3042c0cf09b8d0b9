// Row and table memory of the resampling filters.
#include "imaging/zoom/zoom_memory.h"

#include <cstdlib>

namespace imaging {

std::uint32_t FG_Zoom_MemAlloc(void** pointer, std::size_t size) {
    // malloc(0) may legally return null; a zero-sized buffer is still a success.
    *pointer = std::malloc(size == 0 ? 1 : size);
    return *pointer == nullptr ? 1 : 0;
}

void FG_Zoom_MemFree(void** pointer) {
    if (*pointer != nullptr) {
        std::free(*pointer);
        *pointer = nullptr;
    }
}

}  // namespace imaging
