// The model name and the printer state that the session caches when it opens.
#include "glue/glue_component.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <optional>
#include <span>

#include "bytes/byte_order.h"
#include "glue/glue_error.h"
#include "glue/glue_internal.h"
#include "glue/glue_operations.h"
#include "qdxa/qdxa_strings.h"

namespace {

// Attribute buffers hold the attribute id in bytes 0-1; the value starts at byte 2.
constexpr std::uint32_t kValueOffset = 2;

// Status codes above this are not reported as the printer's detail.
constexpr std::uint32_t kLargestDetailCode = 0x4FFFFFF;
// A code that is never reported as the detail.
constexpr std::uint32_t kIgnoredDetailCode = 0x01060100;
constexpr std::uint8_t kNotPrintable = 3;

/// Reads one attribute of one object into a new handle; the value bytes, or nothing.
std::int32_t readAttribute(GlueSession& session, std::uint32_t object, std::uint16_t attribute,
                           device::GlueHandle& handle, std::span<const std::uint8_t>& value) {
    handle.reset(Wqs_Mem_NewHandleClear(RecievePacketSize(session.packetSession)));
    if (!handle) {
        return kGlueMemErr;
    }
    std::uint32_t size = 0;
    const std::int32_t status =
        glue_qdxaListAttributesOpen(&session, object, 1, &attribute, handle.get(), &size, nullptr);
    if (status == kGlueNoErr && size >= kValueOffset &&
        bytes::loadBE16(handle->data) == attribute) {
        value = {handle->data + kValueOffset, size - kValueOffset};
    }
    return status;
}

std::uint32_t chooseDetail(std::span<const std::uint32_t> codes, std::uint32_t current) {
    for (std::uint32_t code : codes) {
        if (code == current && code != kIgnoredDetailCode) {
            return code;
        }
    }
    std::uint32_t detail = 0;
    for (std::uint32_t code : codes) {
        if (code < kLargestDetailCode && code != kIgnoredDetailCode) {
            detail = std::max(detail, code);
        }
    }
    return detail;
}

template <typename T>
void store(const std::optional<T>& value, T* out) {
    if (value && out != nullptr) {
        *out = *value;
    }
}

}  // namespace

std::int32_t glue_qdxaGetComponentModel(GlueSession* session, std::uint8_t* model) {
    if (model != nullptr) {
        model[0] = 0;
    }
    if (session == nullptr || session->packetSession == nullptr || model == nullptr) {
        return kGlueParamErr;
    }
    device::GlueHandle handle;
    std::span<const std::uint8_t> value;
    const std::int32_t status =
        readAttribute(*session, kGlueObjectDevice, kGlueAttrModelName, handle, value);
    // The value: a 16-bit character-set code, then a length-prefixed string.
    bytes::ByteReader in(value);
    const auto length = in.skip(2) ? in.u8() : std::nullopt;
    if (length) {
        const auto copied =
            static_cast<std::uint8_t>(std::min<std::size_t>(*length, in.remaining()));
        model[0] = copied;
        std::memcpy(model + 1, value.data() + 3, copied);
    }
    return status;
}

std::int32_t glue_qdxaGetComponentState2(GlueSession* session, std::uint8_t* state,
                                         std::uint8_t* reason, std::uint8_t* printable,
                                         std::uint32_t* detail) {
    if (state != nullptr) {
        *state = 1;
    }
    if (reason != nullptr) {
        *reason = 0;
    }
    if (printable != nullptr) {
        *printable = 1;
    }
    if (detail != nullptr) {
        *detail = 0;
    }
    if (session == nullptr || session->packetSession == nullptr) {
        return kGlueParamErr;
    }
    device::GlueHandle handle;
    std::span<const std::uint8_t> value;
    const std::int32_t status =
        readAttribute(*session, kGlueObjectPrinter, kGlueAttrPrinterState, handle, value);
    // The value: state, reason, a count n, n 32-bit status codes, the current code, and a byte
    // that tells whether the printer can print.
    bytes::ByteReader in(value);
    store(in.u8(), state);
    store(in.u8(), reason);
    const std::uint8_t codeCount = in.u8().value_or(0);
    std::array<std::uint32_t, 255> codes{};
    for (std::uint8_t index = 0; index < codeCount; ++index) {
        const auto code = in.u32be();
        if (!code) {
            return status;
        }
        codes[index] = *code;
    }
    const auto current = in.u32be();
    const auto printableByte = in.u8();
    if (!current || !printableByte) {
        return status;
    }
    if (detail != nullptr) {
        *detail = chooseDetail({codes.data(), codeCount}, *current);
    }
    if (printable != nullptr) {
        *printable = *printableByte == kNotPrintable ? 0 : 1;
    }
    return status;
}
