// The user's tone curves as 4096-entry 16-bit lookup tables for the colour framework.
#pragma once

#include <cstdint>

struct PLGContext;

/// Table slots of the colour record: master, red, green, blue (slot 0 alone for monochrome).
inline constexpr int kToneCurveSlots = 4;
/// Entries of one table: the 12-bit input range.
inline constexpr int kToneCurveEntries = 4096;

/// The control points of one curve: inputs and outputs 0 ... 255, inputs rising.
struct ToneCurvePoints {
    std::int32_t count;  ///< 2 ... 16
    const std::int32_t* x;
    const std::int32_t* y;
};

/// The points of a curve as a job record holds them; a count outside 2 ... 16 gives the identity.
ToneCurvePoints toneCurvePoints(std::int32_t count, const std::int32_t* x, const std::int32_t* y);

/// Whether the points are just the two default end points (0, 0) and (255, 255).
bool isIdentityToneCurve(const ToneCurvePoints& points);

/// Fills `table` (kToneCurveEntries samples) with the spline through the points: inputs scaled
/// onto 0 ... 4095, outputs onto 0 ... 65535.
void fillToneCurveTable(const ToneCurvePoints& points, std::uint16_t* table);

/// Builds the tables of the job record's curves into the colour record's slots: curves 0 to 3 into
/// slots 0 to 3 for a colour print, curve 4 into slot 0 for a monochrome one. When every used curve
/// is the identity no table is made. A curve whose point count is outside 2 ... 16 counts as the
/// identity. Returns 0, or the allocator's code when a table cannot be made (tables made before
/// stay in their slots).
std::int32_t PLG_Make_Tonara2Curve(PLGContext* context);

/// Frees every table and empties its slot; 0.
std::int32_t PLG_Release_Tonara2Curve(PLGContext* context);
