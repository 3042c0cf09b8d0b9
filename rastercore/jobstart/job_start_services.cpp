// Job start's production services: the print colour module and the job strings.
#include "jobstart/job_start_services.h"

#include "color/color_tables.h"
#include "color/tarn_color.h"
#include "strings/job_strings.h"

const JobStartServices& coreJobStartServices() {
    static const JobStartServices services{
        .colorInitialize =
            [](Color_Info* color, void* mediaDatabase) {
                return tarn_Color_Initialize_ForMXXXR(color,
                                                      static_cast<std::uint8_t*>(mediaDatabase));
            },
        .colorOutputColorSpace = tarn_Color_GetInfo_OutputColorSpece,
        .colorCreateTable = tarn_Color_CreateTable_ForMXXXR,
        .transferString = PLGTransferString_Mac,
    };
    return services;
}

seam::Seam<JobStartServices>& jobStartServices() {
    static seam::Seam<JobStartServices> seam(coreJobStartServices());
    return seam;
}
