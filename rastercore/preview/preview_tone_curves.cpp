#include "preview/preview_tone_curves.h"

#include <cstddef>
#include <cstring>
#include <new>

#include "record/color_info.h"

namespace {

constexpr std::int16_t kSecondSet = 1;
constexpr int kGreyRow = 4;
constexpr int kColorRows = kToneCurveSlots;

// One curve of a set, copied out of the packed record (the second set's rows are not aligned).
struct CurveRow {
    std::int32_t count;
    std::int32_t x[kToneCurvePoints];
    std::int32_t y[kToneCurvePoints];

    ToneCurvePoints points() const { return toneCurvePoints(count, x, y); }
};

CurveRow curveRow(const CoreCommonInfoTbl& record, int row) {
    const bool second = record.useCurve2 == kSecondSet;
    const auto* base = reinterpret_cast<const unsigned char*>(&record);
    const std::size_t rowBytes = sizeof record.curveX[0];
    const std::size_t counts = second ? offsetof(CoreCommonInfoTbl, curve2PointCount)
                                      : offsetof(CoreCommonInfoTbl, curvePointCount);
    const std::size_t xs =
        second ? offsetof(CoreCommonInfoTbl, curve2X) : offsetof(CoreCommonInfoTbl, curveX);
    const std::size_t ys =
        second ? offsetof(CoreCommonInfoTbl, curve2Y) : offsetof(CoreCommonInfoTbl, curveY);
    CurveRow curve{};
    std::memcpy(&curve.count, base + counts + row * sizeof curve.count, sizeof curve.count);
    std::memcpy(curve.x, base + xs + row * rowBytes, rowBytes);
    std::memcpy(curve.y, base + ys + row * rowBytes, rowBytes);
    return curve;
}

}  // namespace

const tnr2_tonecurve_t* GettcurveData(const PreviewJob& job, tcurveRec& request) {
    const bool monochrome = job.colorMode == kColorModeMonochromePhoto;
    const int firstRow = monochrome ? kGreyRow : 0;
    const int rows = monochrome ? 1 : kColorRows;
    CurveRow curves[kColorRows];
    bool allIdentity = true;
    for (int i = 0; i < rows; ++i) {
        curves[i] = curveRow(job.record, firstRow + i);
        allIdentity = allIdentity && isIdentityToneCurve(curves[i].points());
    }
    if (allIdentity) {
        return nullptr;
    }
    for (int i = 0; i < rows; ++i) {
        request.tables[i].reset(new (std::nothrow) std::uint16_t[kToneCurveEntries]);
        if (request.tables[i] == nullptr) {
            return nullptr;
        }
        fillToneCurveTable(curves[i].points(), request.tables[i].get());
        request.curves.curve[i] = request.tables[i].get();
    }
    return &request.curves;
}
