// Job start's production services. The print colour module and the job-text conversion are not
// built yet: each answers -1, so a job that reaches them fails instead of printing wrongly.
#include "jobstart/job_start_services.h"

#include "rastercore/result_codes.h"

namespace {

constexpr std::int32_t kNotBuilt = rastercore::kResultFailure;

}  // namespace

const JobStartServices& coreJobStartServices() {
    static const JobStartServices services{
        .colorInitialize = [](Color_Info*, void*) { return kNotBuilt; },
        .colorOutputColorSpace = [](Color_Info*, TARNColorSpace*) { return kNotBuilt; },
        .colorCreateTable = [](Color_Info*, GeneralDataBlock*) { return kNotBuilt; },
        .transferString = [](const unsigned char*, char*, std::int32_t*, const ModelAtlasTbl*,
                             std::int16_t) { return kNotBuilt; },
    };
    return services;
}

seam::Seam<JobStartServices>& jobStartServices() {
    static seam::Seam<JobStartServices> seam(coreJobStartServices());
    return seam;
}
