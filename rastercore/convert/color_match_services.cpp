// The core's colour-matching service: the colour module's row matching is not built yet.
#include "convert/color_match_services.h"

#include "rastercore/result_codes.h"

const ColorMatchServices& coreColorMatchServices() {
    static const ColorMatchServices services{
        .matchRow = [](Color_Info*, std::uint32_t, std::uint8_t*,
                       std::uint8_t*) { return rastercore::kResultFailure; },
    };
    return services;
}

seam::Seam<ColorMatchServices>& colorMatchServices() {
    static seam::Seam<ColorMatchServices> seam(coreColorMatchServices());
    return seam;
}
