// Binding the media database framework.
#include "mediadb/media_framework.h"

#include "cf/folders.h"

namespace {

constexpr const char* kFrameworksUnderRoot = "Orvane/TARN/Frameworks";
constexpr const char* kMediaFramework = "medab2.framework";

}  // namespace

std::filesystem::path driverFrameworksFolder() {
    return cf::Folders::driverRoot() / kFrameworksUnderRoot;
}

MediaFramework::MediaFramework()
    : bundle_(cf::Bundle::open(driverFrameworksFolder() / kMediaFramework)) {}
