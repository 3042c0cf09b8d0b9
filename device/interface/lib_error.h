// The tables that turn the codes of the layers below the library interface into library
// statuses (DovoCommonLib/ios_status.h).
#pragma once

#include <cstdint>

/// Core result codes 0 to 15 to library statuses; any other code gives 23998.
std::uint32_t LocalConvertCoreError(std::uint32_t coreError);

/// Registry codes (CLibSharedInfo) to library statuses: a lock time-out is busy (10502), every
/// other failure internal (22998).
std::uint32_t LocalConvertSharedInfoError(std::uint32_t sharedInfoError);

/// Device-view codes (CLibDeviceInfo) to library statuses: ticket memory 10554, lock time-out
/// and a missing completion busy (10502), every other failure internal (22998).
std::uint32_t LocalConvertDeviceInfoError(std::uint32_t deviceInfoError);
