// The core's band-loop services. Those whose modules are not built yet answer -1, so a job that
// reaches them fails instead of printing a wrong page.
#include "band/band_services.h"

#include "caption/caption_merge.h"
#include "caption/caption_render.h"
#include "rastercore/result_codes.h"

namespace {

constexpr std::int32_t kNotBuilt = rastercore::kResultFailure;

}  // namespace

const BandServices& coreBandServices() {
    static const BandServices services{
        .captionMakeData = PLG_Caption_MakeData,
        .captionSetBuff = PLG_Caption_SetBuff,
        .colorProcessing = [](Color_Info*, std::uint8_t*, TARNRect*,
                              std::uint8_t*) { return kNotBuilt; },
        .bitConvert = [](PLGContext*, std::int32_t, const void*,
                         std::uint8_t**) { return kNotBuilt; },
        .startPage = [](PLGContext*) { return kNotBuilt; },
        .endPage = [](PLGContext*) { return kNotBuilt; },
    };
    return services;
}

seam::Seam<BandServices>& bandServices() {
    static seam::Seam<BandServices> seam(coreBandServices());
    return seam;
}
