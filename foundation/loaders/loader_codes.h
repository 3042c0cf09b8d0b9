// What the wrappers of the colour-processing and device frameworks answer when the framework or
// the function is missing: a failed call in each framework's own terms, so that a caller that
// checks the status as it checks the framework's never takes the missing call for a success.
#pragma once

#include <cstdint>

/// A status call of the colour-processing framework that could not be made: the framework's
/// own failure status (kTnr2BadArgument). Its create calls answer 0 (no object) instead.
inline constexpr std::int32_t kColorFrameworkMissing = -1;

/// A status call of the device framework that could not be made: the framework's internal
/// failure (kIOS_ErrInternal). Calls that answer a number answer 0 instead.
inline constexpr std::uint32_t kDeviceFrameworkMissing = 22998;
