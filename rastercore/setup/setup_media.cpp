// The job's media database: the record's open one, or one opened for the job by the model's
// print-mode rule.
#include "geometry/optimize_mode.h"
#include "mediadb/media_database.h"
#include "rastercore/result_codes.h"
#include "record/job_context.h"
#include "setup/setup_steps_internal.h"

namespace setup {

namespace {

using namespace rastercore;

constexpr std::int32_t kModelYes = 1;
constexpr std::int32_t kInkImpactOn = 1;
constexpr std::uint32_t kOpenModeVgm = 2;
/// A media database that cannot be had ends the set-up with the out-of-memory plug-in code.
constexpr std::int32_t kMediaDatabaseMissing = static_cast<std::int32_t>(kPlgNoMemory);

bool takesPrintModeFromDatabase(const ModelAtlasTbl& model) {
    return model.PrintMode == 1 || model.PrintMode == 2;
}

std::int32_t useRecordData(PLGContext& context, const CoreCommonInfoTbl& table) {
    context.mediaDatabase = table.mediaData;
    return table.mediaData != nullptr ? kResultOk : kMediaDatabaseMissing;
}

std::int32_t openForJob(PLGContext& context, const CoreCommonInfoTbl& table, std::uint32_t mode) {
    if (OpenMediaDB_ForMXXXR(table.mediaDatabaseName, &context.mediaDatabase, mode) != 1) {
        return kMediaDatabaseMissing;
    }
    context.mediaDatabaseOpened = 1;
    return kResultOk;
}

}  // namespace

std::int32_t openMediaDatabase(PLGContext& context, CoreCommonInfoTbl& table) {
    const ModelAtlasTbl& model = context.modelTable;
    if (takesPrintModeFromDatabase(model)) {
        QDXA_Info& packet = *context.qdxaInfo;
        std::int32_t openMode = 0;
        const std::int32_t result =
            getOptimizeMode(table.printMode, table.inkImpact == kInkImpactOn, &packet.pathMode,
                            &packet.optimizeMode, &openMode, model.PrintMode);
        if (result != kResultOk) {
            return result;
        }
        return openMode == kOpenModeRecordData
                   ? useRecordData(context, table)
                   : openForJob(context, table, static_cast<std::uint32_t>(openMode));
    }
    if (model.VGM == kModelYes && table.printMode16 != 0) {
        return openForJob(context, table, kOpenModeVgm);
    }
    return useRecordData(context, table);
}

}  // namespace setup
