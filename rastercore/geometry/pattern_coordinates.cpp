// The test-pattern coordinates of a job.
#include "geometry/pattern_coordinates.h"

#include "rastercore/result_codes.h"

const PatternLayoutServices& corePatternLayoutServices() {
    static const PatternLayoutServices services{
        .calc = [](PLGContext*, bool, std::int32_t*) -> PatternInfo* { return nullptr; },
        .store = [](PatternInfo*, PLGContext*) { return rastercore::kResultFailure; },
        .release = [](PatternInfo*) {},
    };
    return services;
}

std::int32_t getPatternCoordinates(PLGContext* context, const PatternLayoutServices& services) {
    std::int32_t status = 0;
    PatternInfo* info = services.calc(context, false, &status);
    if (info == nullptr) {
        return rastercore::kResultFailure;
    }
    const std::int32_t result = services.store(info, context);
    services.release(info);
    return result;
}

std::int32_t PLG_Get_PatternCoordinate_Rec(PLGContext* context) {
    return getPatternCoordinates(context, corePatternLayoutServices());
}

std::int32_t Print_PatternTermination(PLGContext*) {
    return rastercore::kResultOk;
}
