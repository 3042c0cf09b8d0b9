// Opening and closing a job's media database.
#include "mediadb/media_database.h"

#include <cstdlib>
#include <string>
#include <system_error>

#include "medab2/medab2.h"
#include "mediadb/media_framework.h"

namespace {

constexpr std::uint32_t kHiddenMediumHint = 16;
constexpr std::uint16_t kFilterOn = 1;

/// The file name of a length-prefixed database name; empty when it would leave the folder.
std::string databaseFileName(const unsigned char* name) {
    if (name == nullptr || name[0] == 0) {
        return {};
    }
    std::string file(reinterpret_cast<const char*>(name + 1), name[0]);
    if (file.find('/') != std::string::npos || file.find('\0') != std::string::npos ||
        file == "." || file == "..") {
        return {};
    }
    return file;
}

}  // namespace

std::int32_t OpenMediaDB_ForMXXXR(const unsigned char* name, void** handle, std::uint32_t mode) {
    constexpr std::int32_t kOpened = 1;
    constexpr std::int32_t kNotOpened = 0;
    if (handle == nullptr) {
        return kNotOpened;
    }
    *handle = nullptr;
    const std::string file = databaseFileName(name);
    std::error_code error;
    if (file.empty() || !std::filesystem::is_directory(driverFrameworksFolder(), error)) {
        return kNotOpened;
    }
    const MediaFramework framework;
    auto* getMediaData = framework.bind<decltype(mdb3GetMediaData)>("mdb3GetMediaData");
    auto* filterHint = framework.bind<decltype(mdb3FilterMediumHint)>("mdb3FilterMediumHint");
    auto* filterMode =
        framework.bind<decltype(mdb3DBFilterOptimizeMode)>("mdb3DBFilterOptimizeMode");
    if (getMediaData == nullptr || filterHint == nullptr || filterMode == nullptr) {
        return kNotOpened;
    }
    const std::string path = (driverFrameworksFolder() / file).string();
    const std::int32_t size = getMediaData(path.c_str(), nullptr);
    if (size <= 0) {
        return kNotOpened;
    }
    auto* block = static_cast<std::uint8_t*>(std::calloc(1, static_cast<std::size_t>(size)));
    if (block == nullptr) {
        return kNotOpened;
    }
    // A database whose size changed between the two calls is refused.
    if (getMediaData(path.c_str(), block) != size) {
        std::free(block);
        return kNotOpened;
    }
    filterHint(block, kHiddenMediumHint, kFilterOn);
    filterMode(block, mode);
    *handle = block;
    return kOpened;
}

void CloseMediaDB(void* handle) {
    std::free(handle);
}
