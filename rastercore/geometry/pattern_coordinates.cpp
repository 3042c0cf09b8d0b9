// The test-pattern coordinates of a job.
#include "geometry/pattern_coordinates.h"

#include "pattern/pattern_layout.h"
#include "pattern/pattern_print_info.h"
#include "rastercore/result_codes.h"

const PatternLayoutServices& corePatternLayoutServices() {
    static const PatternLayoutServices services{
        .calc = PatternCalc,
        .store = Print_PatternInfoValue,
        .release = releasePatternInfo,
    };
    return services;
}

std::int32_t getPatternCoordinates(PLGContext* context, const PatternLayoutServices& services) {
    std::int32_t status = 0;
    PatternInfo* info = services.calc(context, false, &status);
    if (info == nullptr) {
        return status != rastercore::kResultOk ? status : rastercore::kResultFailure;
    }
    const std::int32_t result = services.store(info, context);
    services.release(info);
    return result;
}

std::int32_t PLG_Get_PatternCoordinate_Rec(PLGContext* context) {
    return getPatternCoordinates(context, corePatternLayoutServices());
}
