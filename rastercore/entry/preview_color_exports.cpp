// The exported preview colour functions: no exception leaves the core.
#include "preview/pattern_profile_search.h"
#include "preview/preview_color_management.h"
#include "rastercore/raster_core.h"

namespace {

template <typename Call>
std::int32_t guarded(Call call) {
    try {
        return call();
    } catch (...) {
        return kPrevFailure;
    }
}

}  // namespace

extern "C" std::int32_t RasterCore_Prev_PreColorManagement(const CoreCommonInfoTbl* table,
                                                           ColorDataRec* data) {
    return guarded([&] { return Prev_PreColorManagement(table, data); });
}

extern "C" std::int32_t RasterCore_Prev_ColorManagement(const CoreCommonInfoTbl* table,
                                                        ColorDataRec* data,
                                                        const PtnProfileInfoTbl* profiles) {
    return guarded([&] { return Prev_ColorManagement(table, data, profiles); });
}

extern "C" std::int32_t RasterCore_PatternProfileSearch_Open(const CoreCommonInfoTbl* table,
                                                             PtnProfileInfoTbl* profiles) {
    return guarded([&] { return PatternProfileSearch_Open(table, profiles); });
}

extern "C" std::int32_t RasterCore_PatternProfileSearch_Close(PtnProfileInfoTbl* profiles) {
    return guarded([&] { return PatternProfileSearch_Close(profiles); });
}
