// Tone curves through the smoothing spline into 16-bit tables.
#include "color/tone_curve_tables.h"

#include <algorithm>
#include <array>

#include "imaging/spline/tone_curve.h"
#include "record/color_info.h"
#include "record/job_context.h"
#include "util/memory.h"

namespace {

constexpr int kMonochromeCurve = 4;
constexpr int kColorCurves = 4;
constexpr int kFewestPoints = 2;
constexpr std::int32_t kOutputRange = 0x10000;
constexpr std::int32_t kLargestOutput = kOutputRange - 1;
constexpr std::int32_t kLargest8 = 255;
constexpr std::int32_t kOutputPer8 = 257;  // 0 ... 255 onto 0 ... 65535

const std::int32_t kIdentityX[kFewestPoints] = {0, kLargest8};
const std::int32_t kIdentityY[kFewestPoints] = {0, kLargest8};

ToneCurvePoints curvePoints(const CoreCommonInfoTbl& record, int curve) {
    return toneCurvePoints(record.curvePointCount[curve], record.curveX[curve],
                           record.curveY[curve]);
}

// 0 ... 255 onto the 12-bit input: x * 16 + x / 16 reaches 4095 at 255.
std::int32_t scaledInput(std::int32_t x) {
    return x * 16 + x / 16;
}

}  // namespace

ToneCurvePoints toneCurvePoints(std::int32_t count, const std::int32_t* x, const std::int32_t* y) {
    if (count < kFewestPoints || count > kToneCurvePoints) {
        return {kFewestPoints, kIdentityX, kIdentityY};
    }
    return {count, x, y};
}

bool isIdentityToneCurve(const ToneCurvePoints& points) {
    return points.count == kFewestPoints && points.x[0] == 0 && points.y[0] == 0 &&
           points.x[1] == kLargest8 && points.y[1] == kLargest8;
}

void fillToneCurveTable(const ToneCurvePoints& points, std::uint16_t* table) {
    SsplContext spline{};
    sspl_init(&spline, kToneCurveEntries, kOutputRange);
    const int last = points.count - 1;
    // A point the spline refuses (out of range, out of order) is left out of the curve.
    sspl_move_point(&spline, 0, scaledInput(points.x[0]), points.y[0] * kOutputPer8);
    sspl_move_point(&spline, 1, scaledInput(points.x[last]), points.y[last] * kOutputPer8);
    for (int i = 1; i < last; ++i) {
        sspl_add_point(&spline, scaledInput(points.x[i]), points.y[i] * kOutputPer8, nullptr);
    }
    std::array<std::int32_t, kToneCurveEntries> values{};
    sspl_get_curve(&spline, values.data());
    // Clamped before narrowing: a spline overshoot must not wrap into an inverted spike.
    std::transform(values.begin(), values.end(), table, [](std::int32_t value) {
        return static_cast<std::uint16_t>(std::clamp(value, 0, kLargestOutput));
    });
}

std::int32_t PLG_Make_Tonara2Curve(PLGContext* context) {
    Color_Info& color = *context->colorInfo;
    const CoreCommonInfoTbl& record = *context->jobRecord;
    const bool monochrome = color.colorMode == kColorModeMonochromePhoto;
    const int firstCurve = monochrome ? kMonochromeCurve : 0;
    const int curves = monochrome ? 1 : kColorCurves;

    bool allIdentity = true;
    for (int slot = 0; slot < curves; ++slot) {
        allIdentity &= isIdentityToneCurve(curvePoints(record, firstCurve + slot));
    }
    if (allIdentity) {
        return 0;
    }
    std::int32_t result = 0;
    for (int slot = 0; slot < curves; ++slot) {
        result = Get_MemoryClear(kToneCurveEntries, sizeof(std::uint16_t), 0,
                                 &color.toneCurveTables[slot]);
        if (result != 0) {
            return result;
        }
        fillToneCurveTable(curvePoints(record, firstCurve + slot), color.toneCurveTables[slot]);
    }
    return result;
}

std::int32_t PLG_Release_Tonara2Curve(PLGContext* context) {
    for (std::uint16_t*& table : context->colorInfo->toneCurveTables) {
        Dispose_MemoryClear(&table, 0);
    }
    return 0;
}
