// The core's integer rectangle: one band line r is top r, bottom r + 1.
#pragma once

#include <cstdint>

struct TARNRect {
    std::int32_t top;
    std::int32_t left;
    std::int32_t bottom;
    std::int32_t right;
};
