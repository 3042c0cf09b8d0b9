// Job start's production services. The job-text conversion is the strings module's; the print
// colour module is not built yet: each of its calls answers -1, so a job that reaches them fails
// instead of printing wrongly.
#include "jobstart/job_start_services.h"

#include "rastercore/result_codes.h"
#include "strings/job_strings.h"

namespace {

constexpr std::int32_t kNotBuilt = rastercore::kResultFailure;

}  // namespace

const JobStartServices& coreJobStartServices() {
    static const JobStartServices services{
        .colorInitialize = [](Color_Info*, void*) { return kNotBuilt; },
        .colorOutputColorSpace = [](Color_Info*, TARNColorSpace*) { return kNotBuilt; },
        .colorCreateTable = [](Color_Info*, GeneralDataBlock*) { return kNotBuilt; },
        .transferString = PLGTransferString_Mac,
    };
    return services;
}

seam::Seam<JobStartServices>& jobStartServices() {
    static seam::Seam<JobStartServices> seam(coreJobStartServices());
    return seam;
}
