// Which controls the status monitor may offer: the job operations that the printer supports
// and whether it keeps file boxes.
#include <vector>

#include "bytes/byte_order.h"
#include "control/control_operations.h"
#include "glue/glue_error.h"
#include "glue/glue_operations.h"
#include "query/query_file.h"
#include "query/query_internal.h"
#include "query/query_support.h"

namespace {

constexpr std::uint8_t kClassListed = 1;

std::uint32_t supportedJobOperations(GlueSession* session) {
    std::uint32_t support = 0;
    if (glue_qdxaSupportExecJobOperation(session, kSupportJobOp35) != 0) {
        support |= kMonitorInterrupt;
    }
    if (glue_qdxaSupportExecJobOperation(session, kSupportJobOpPromote) != 0) {
        support |= kMonitorPromote;
    }
    if (glue_qdxaSupportExecJobOperation(session, kSupportJobOpPause) != 0 &&
        glue_qdxaSupportExecJobOperation(session, kSupportJobOpResume) != 0) {
        support |= kMonitorPauseResume;
    }
    return support;
}

/// True when the class list (a 16-bit count, then per entry a 16-bit class and a flag byte)
/// names the file-box class with flag 1 before any other entry for that class.
bool listsFileBoxes(std::span<const std::uint8_t> classes) {
    bytes::ByteReader reader(classes);
    const auto count = reader.u16be();
    for (std::uint16_t index = 0; count && index < *count; ++index) {
        const auto objectClass = reader.u16be();
        const auto flag = reader.u8();
        if (!objectClass || !flag) {
            return false;
        }
        if (*objectClass == kGlueClassFileBox) {
            return *flag == kClassListed;
        }
    }
    return false;
}

}  // namespace

std::int32_t glue_qdxaGetfunc_forMonitor(GlueSession* session, std::uint32_t* support) {
    if (session == nullptr || support == nullptr) {
        return kGlueParamErr;
    }
    *support = supportedJobOperations(session);

    device::AttributeReply classes;
    const std::int32_t status = classes.read(*session, kGlueObjectDevice, kAttrObjectClasses);
    if (status != kGlueNoErr) {
        return device::queryNoInformationIsSuccess(status);
    }
    if (!listsFileBoxes(classes.value())) {
        return kGlueNoErr;
    }
    std::vector<std::uint32_t> boxes;
    const std::int32_t listing = device::queryListObjects(
        *session, kGlueClassFileBox, kSelectorFileBoxes, kParentFileBoxes, 0, boxes);
    if (listing != kGlueNoErr) {
        return device::queryNoInformationIsSuccess(listing);
    }
    if (!boxes.empty()) {
        *support |= kMonitorFileBox;
    }
    return kGlueNoErr;
}
