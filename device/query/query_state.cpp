// The printer state and its status detail codes (attribute 282 of the printer).
#include <vector>

#include "glue/glue_error.h"
#include "glue/glue_operations.h"
#include "query/query_device.h"
#include "query/query_internal.h"

namespace {

constexpr std::uint8_t kDefaultState = 1;
constexpr std::uint8_t kNotPrintable = 3;

// The state value: state, reason, the number n of detail codes, n codes, the current code and
// one byte. Codes that the reply does not hold are not read.
struct StateValue {
    std::optional<std::uint8_t> state;
    std::optional<std::uint8_t> reason;
    std::vector<std::uint32_t> codes;
    std::optional<std::uint32_t> current;
    std::optional<std::uint8_t> last;
};

StateValue decodeState(std::span<const std::uint8_t> value) {
    bytes::ByteReader reader(value);
    StateValue decoded;
    decoded.state = reader.u8();
    decoded.reason = reader.u8();
    const std::uint8_t count = reader.u8().value_or(0);
    for (std::uint8_t index = 0; index < count; ++index) {
        const auto code = reader.u32be();
        if (!code) {
            return decoded;
        }
        decoded.codes.push_back(*code);
    }
    decoded.current = reader.u32be();
    decoded.last = reader.u8();
    return decoded;
}

std::uint32_t chooseDetail(const StateValue& decoded) {
    std::uint32_t largest = 0;
    for (std::uint32_t code : decoded.codes) {
        if (code == kStateIgnoredCode) {
            continue;
        }
        if (decoded.current && code == *decoded.current) {
            return code;
        }
        if (code < kStateDetailLimit && code > largest) {
            largest = code;
        }
    }
    return largest;
}

}  // namespace

std::int32_t glue_qdxaGetComponentState2(GlueSession* session, std::uint8_t* state,
                                         std::uint8_t* reason, std::uint8_t* printable,
                                         std::uint32_t* detail) {
    if (state == nullptr || reason == nullptr || printable == nullptr || detail == nullptr) {
        return kGlueParamErr;
    }
    *state = kDefaultState;
    *reason = 0;
    *printable = 1;
    *detail = 0;
    if (session == nullptr) {
        return kGlueParamErr;
    }
    AttributeReply reply;
    const std::int32_t status = reply.read(*session, kGlueObjectPrinter, kAttrPrinterState);
    if (status != kGlueNoErr) {
        return status;
    }
    const StateValue decoded = decodeState(reply.value());
    *state = decoded.state.value_or(kDefaultState);
    *reason = decoded.reason.value_or(0);
    *detail = chooseDetail(decoded);
    if (decoded.last && *decoded.last == kNotPrintable) {
        *printable = 0;
    }
    return kGlueNoErr;
}

std::int32_t glue_qdxaGetComponentStatus2CodeList(GlueSession* session, WqsMemHandle* handle,
                                                  std::uint16_t* count) {
    if (session == nullptr || count == nullptr) {
        return kGlueParamErr;
    }
    *count = 0;
    AttributeReply reply;
    const std::int32_t status = reply.read(*session, kGlueObjectPrinter, kAttrPrinterState);
    if (status == kGlueMemErr) {
        return kGlueNoErr;
    }
    if (status != kGlueNoErr || handle == nullptr) {
        return status;
    }
    const StateValue decoded = decodeState(reply.value());
    const auto codes = static_cast<std::uint32_t>(decoded.codes.size());
    if (querySizeValues(handle, codes) != kGlueNoErr) {
        return kGlueNoErr;
    }
    for (std::uint32_t index = 0; index < codes; ++index) {
        queryStoreValue(handle, index, decoded.codes[index]);
    }
    *count = static_cast<std::uint16_t>(codes);
    return kGlueNoErr;
}
