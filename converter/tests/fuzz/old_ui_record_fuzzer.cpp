// Old dialog settings records from outside: whatever they hold, every curve keeps its point count
// within its slots, and the settings match through an output profile only when one was found.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "support/fuzz_check.h"
#include "ui_conversion.h"

namespace {

// Every file name is "installed", so the profile paths are taken whenever a name is found.
int everyProfile(const char* fileName, std::string* name, std::string* path) {
    *name = fileName;
    *path = std::string("/profiles/") + fileName;
    return 1;
}

constexpr std::int32_t UISave::*kPointCounts[] = {
    &UISave::Curves_RGB_PointNum, &UISave::Curves_R_PointNum, &UISave::Curves_G_PointNum,
    &UISave::Curves_B_PointNum, &UISave::Curves_Gray_PointNum};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    UISave record;
    if (!fillUISaveFromOldRecord(std::span(data, size), &record, everyProfile)) {
        testsupport::fuzzRequire(size < kOldUIEarlierRecordSize, "a whole record converts");
        return 0;
    }
    for (const auto count : kPointCounts) {
        testsupport::fuzzRequire(record.*count >= 0 && record.*count <= kUISaveCurveSlots,
                                 "a point count stays within the curve's slots");
    }
    constexpr std::int32_t kColorModeICC = 4;
    testsupport::fuzzRequire(record.ColorMode != kColorModeICC || record.OutputProfilePath,
                             "matching through a profile names the profile");
    testsupport::fuzzRequire(record.Proof == 0 || record.ProofProfilePath,
                             "a proof names its profile");
    testsupport::fuzzRequire(record.ConvertOldVersion == 1, "the record is marked converted");
    return 0;
}
