// Conversion of the lower layers' codes to library statuses.
#include "interface/lib_error.h"

#include <array>

#include "DovoCommonLib/ios_status.h"

namespace {

// Core codes 0 to 15 in order: protocol-layer failures (158xx) and transport failures (41xx)
// pass up unchanged.
// clang-format off
constexpr std::array<std::uint32_t, 16> kCoreErrors{
    kIOS_NoErr, 15850, 15851, 15831, 15832, 4150, 4157, 4112,
    4156, 4131, 15834, 15850, kIOS_ErrUnknownCore, kIOS_ErrPrinterRefused, 15852,
    kIOS_ErrUnknownCore};
// clang-format on

constexpr std::array<std::uint32_t, 5> kSharedInfoErrors{
    kIOS_NoErr, kIOS_ErrInternal, kIOS_ErrInternal, kIOS_ErrBusy, kIOS_ErrInternal};

constexpr std::array<std::uint32_t, 13> kDeviceInfoErrors{
    kIOS_NoErr,       kIOS_ErrInternal, kIOS_ErrMemory,   kIOS_ErrInternal, kIOS_ErrBusy,
    kIOS_ErrInternal, kIOS_ErrInternal, kIOS_ErrInternal, kIOS_ErrInternal, kIOS_ErrInternal,
    kIOS_ErrInternal, kIOS_ErrBusy,     kIOS_ErrInternal};

template <std::size_t N>
std::uint32_t lookUp(const std::array<std::uint32_t, N>& table, std::uint32_t code,
                     std::uint32_t otherwise) {
    return code < table.size() ? table[code] : otherwise;
}

}  // namespace

std::uint32_t LocalConvertCoreError(std::uint32_t coreError) {
    return lookUp(kCoreErrors, coreError, kIOS_ErrUnknownCore);
}

std::uint32_t LocalConvertSharedInfoError(std::uint32_t sharedInfoError) {
    return lookUp(kSharedInfoErrors, sharedInfoError, kIOS_ErrInternal);
}

std::uint32_t LocalConvertDeviceInfoError(std::uint32_t deviceInfoError) {
    return lookUp(kDeviceInfoErrors, deviceInfoError, kIOS_ErrInternal);
}
