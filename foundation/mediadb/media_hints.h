// Hint bits of the media database that decide which media the menus list.
#pragma once

#include <cstdint>

/// Media hint bits (mdb3MediumHint).
inline constexpr std::uint32_t kMediumHintJapanOnly = 0x02;  ///< listed for region 14 only
inline constexpr std::uint32_t kMediumHintMarked = 0x04;     ///< borderless printing allowed
inline constexpr std::uint32_t kMediumHintHidden = 0x10;     ///< never listed

/// Optimise-mode hint bits (mdb3OptimizeModeHint): a medium with both is listable.
inline constexpr std::uint32_t kOptimizeHintListable = 0x40 | 0x80;

/// The region whose media include those marked for it alone.
inline constexpr std::int32_t kRegionJapan = 14;

/// Optimise-mode hint bit: every method of the medium prints one quality finer.
inline constexpr std::uint32_t kOptimizeHintRaisedModes = 0x100;

/// Resolution hint bits (mdb3ResolutionHint).
inline constexpr std::uint16_t kResolutionHintExtraModes = 0x40;         ///< more qualities
inline constexpr std::uint16_t kResolutionHintOptimized = 0x1000;        ///< optimised records
inline constexpr std::uint16_t kResolutionHintOptimizedFinest = 0x2000;  ///< and the finest one

/// Optimise modes of the database's filters: the plain records every query reads, and the
/// optimised records of a medium.
inline constexpr std::uint32_t kOptimizeModeQuality = 4;
inline constexpr std::uint32_t kOptimizeModeOptimized = 1;
