#include "color/color_frameworks.h"

#include "cf/folders.h"
#include "color/color_codes.h"
#include "record/color_info.h"

namespace {

constexpr char kMediaDatabaseFramework[] = "Orvane/TARN/Frameworks/medab2.framework";
constexpr char kColorFramework[] = "Orvane/TARN/Frameworks/tonara2.framework";

cf::Bundle* openBundle(const char* relative) {
    return cf::Bundle::open(cf::Folders::driverRoot() / relative).release();
}

}  // namespace

std::int32_t bindColorFrameworks(Color_Info& info) {
    releaseColorFrameworks(info);
    info.mediaBundle = openBundle(kMediaDatabaseFramework);
    info.colorBundle = openBundle(kColorFramework);
    return info.mediaBundle != nullptr && info.colorBundle != nullptr ? 0 : colorcode::kBadArgument;
}

void releaseColorFrameworks(Color_Info& info) {
    delete info.mediaBundle;
    delete info.colorBundle;
    info.mediaBundle = nullptr;
    info.colorBundle = nullptr;
}
