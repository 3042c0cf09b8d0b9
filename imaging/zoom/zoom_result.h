// Result codes of the resampling front and its filters.
#pragma once

#include <cstdint>

namespace imaging {

/// The step worked.
inline constexpr std::uint32_t kZoomDone = 0;
/// A filter could not get memory in Open, or the nearest-neighbour filter cannot work this
/// format, size or reduction: close the front and resample another way.
inline constexpr std::uint32_t kZoomNotPossible = 1;
/// Out of order: the front is already open, there is no usable filter, a row is pending at Send,
/// nothing is pending at Read, or every row was already sent or read. Fix the calling order.
inline constexpr std::uint32_t kZoomBadState = 4;
/// A bad argument: a null row, a zero size, an unknown pixel format or filter type, or the filter
/// object could not be made. The job cannot be resampled with these values.
inline constexpr std::uint32_t kZoomBadParameter = 44;
/// An interpolating filter was asked to make an axis smaller; open the front instead, which
/// hands reductions to the bilinear filter.
inline constexpr std::uint32_t kZoomShrinking = 0xFFFFFFFF;

}  // namespace imaging
