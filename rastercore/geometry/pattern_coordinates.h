// The coordinates of a test-pattern sheet that printing needs: the test-pattern layout is run
// in print mode and its print copy stored in the job context.
#pragma once

#include <cstdint>
#include <functional>

struct PLGContext;
/// The test-pattern layout's result; its layout module defines and releases it.
struct PatternInfo;

/// The test-pattern layout services the coordinates come from.
struct PatternLayoutServices {
    /// Lays out the sheet (`preview` false for printing); null with the status when it cannot.
    std::function<PatternInfo*(PLGContext* context, bool preview, std::int32_t* status)> calc;
    /// Stores in the context what printing needs of `info`; 0 or a failure code.
    std::function<std::int32_t(PatternInfo* info, PLGContext* context)> store;
    /// Releases a layout result.
    std::function<void(PatternInfo* info)> release;
};

/// The core's own services: `PatternCalc`, `Print_PatternInfoValue`, `releasePatternInfo`.
const PatternLayoutServices& corePatternLayoutServices();

/// Lays out the test-pattern sheet, stores its coordinates in the context and releases the
/// layout. Returns the store's result; the layout's status when it gives nothing (1 when FULL
/// does not fit, 10 for an empty rectangle, -1000 out of memory, -1 without a job record or
/// host table).
std::int32_t PLG_Get_PatternCoordinate_Rec(PLGContext* context);

/// Releases what the layout stored in the context for printing (the print copy and the text
/// areas with their bitmaps) and clears both pointers. Returns 0.
std::int32_t Print_PatternTermination(PLGContext* context);

/// The same with `services` in place of the core's layout.
std::int32_t getPatternCoordinates(PLGContext* context, const PatternLayoutServices& services);
