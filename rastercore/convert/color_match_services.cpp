// The core's colour-matching service: the colour module's row matching.
#include "convert/color_match_services.h"

#include "color/color_sync.h"

const ColorMatchServices& coreColorMatchServices() {
    static const ColorMatchServices services{
        .matchRow =
            [](Color_Info* color, std::uint32_t pixels, std::uint8_t* source,
               std::uint8_t* destination) {
                return ColorMatchProcessing_2(color, static_cast<std::int32_t>(pixels), source,
                                              destination);
            },
    };
    return services;
}

seam::Seam<ColorMatchServices>& colorMatchServices() {
    static seam::Seam<ColorMatchServices> seam(coreColorMatchServices());
    return seam;
}
