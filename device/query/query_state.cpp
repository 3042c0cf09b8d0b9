// The status detail codes of the printer state (attribute 282 of the printer).
#include <vector>

#include "glue/glue_error.h"
#include "glue/glue_operations.h"
#include "query/query_device.h"
#include "query/query_internal.h"

namespace {

// The state value: state, reason, the number n of detail codes, n codes, the current code and
// one byte. Only the codes that the reply holds in full are returned.
std::vector<std::uint32_t> detailCodes(std::span<const std::uint8_t> value) {
    bytes::ByteReader reader(value);
    std::vector<std::uint32_t> codes;
    const std::uint8_t count = reader.skip(2) ? reader.u8().value_or(0) : 0;
    for (std::uint8_t index = 0; index < count; ++index) {
        const auto code = reader.u32be();
        if (!code) {
            break;
        }
        codes.push_back(*code);
    }
    return codes;
}

}  // namespace

std::int32_t glue_qdxaGetComponentStatus2CodeList(GlueSession* session, WqsMemHandle* handle,
                                                  std::uint16_t* count) {
    if (session == nullptr || count == nullptr) {
        return kGlueParamErr;
    }
    *count = 0;
    device::AttributeReply reply;
    const std::int32_t status = reply.read(*session, kGlueObjectPrinter, kGlueAttrPrinterState);
    if (status == kGlueMemErr) {
        return kGlueNoErr;
    }
    if (status != kGlueNoErr || handle == nullptr) {
        return status;
    }
    const std::vector<std::uint32_t> codes = detailCodes(reply.value());
    if (device::querySizeValues(handle, static_cast<std::uint32_t>(codes.size())) != kGlueNoErr) {
        return kGlueNoErr;
    }
    for (std::uint32_t index = 0; index < codes.size(); ++index) {
        device::queryStoreValue(handle, index, codes[index]);
    }
    *count = static_cast<std::uint16_t>(codes.size());
    return kGlueNoErr;
}
