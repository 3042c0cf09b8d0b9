// The core's band-loop services: caption rendering and merging, print colour processing, the
// host line converter and the page commands, each the core's own module.
#include "band/band_services.h"

#include "caption/caption_merge.h"
#include "caption/caption_render.h"
#include "color/tarn_color.h"
#include "convert/row_convert.h"
#include "jobstart/job_start.h"

const BandServices& coreBandServices() {
    static const BandServices services{
        .captionMakeData = PLG_Caption_MakeData,
        .captionSetBuff = PLG_Caption_SetBuff,
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
