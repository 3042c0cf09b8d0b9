// The core's band-loop services. Print colour processing, the host line converter and the page
// commands are the core's own; caption rendering and merging are not built yet and answer -1, so
// a job that reaches them fails instead of printing a wrong page.
#include "band/band_services.h"

#include "color/tarn_color.h"
#include "convert/row_convert.h"
#include "jobstart/job_start.h"
#include "rastercore/result_codes.h"

namespace {

constexpr std::int32_t kNotBuilt = rastercore::kResultFailure;

}  // namespace

const BandServices& coreBandServices() {
    static const BandServices services{
        .captionMakeData = [](PLGContext*, std::int16_t) { return kNotBuilt; },
        .captionSetBuff = [](PLGContext*, std::int32_t, std::int32_t, std::int32_t, std::uint8_t*,
                             std::uint32_t, std::uint8_t**, std::int32_t*) { return kNotBuilt; },
        .colorProcessing = tarn_Color_ColorProcessing,
        .bitConvert = PLG_BitConvert_Function,
        .startPage = PLG_StartPage,
        .endPage = PLG_EndPage,
    };
    return services;
}

seam::Seam<BandServices>& bandServices() {
    static seam::Seam<BandServices> seam(coreBandServices());
    return seam;
}
