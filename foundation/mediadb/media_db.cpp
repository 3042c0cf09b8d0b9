#include "mediadb/media_db.h"

#include <charconv>
#include <cstdlib>
#include <cstring>
#include <string>

#include "loaders/framework_loader.h"
#include "loaders/media_db_loader.h"

namespace {

constexpr std::size_t kMaxPathCharacters = 255;
constexpr std::uint32_t kHiddenHint = 16;
constexpr std::uint16_t kFilterOn = 1;
constexpr double kLowestVersion = 3.0;
constexpr std::size_t kVersionEnd = 34;  ///< the version text ends before the medium type

// The decimal number at the start of the header's version text, read only inside the text.
double headerVersion(const DEF_HEADERPART& header) {
    const char* begin = reinterpret_cast<const char*>(header.bytes) + kMdbHeaderVersionOffset;
    const char* end = begin + strnlen(begin, kVersionEnd - kMdbHeaderVersionOffset);
    while (begin < end && (*begin == ' ' || *begin == '+')) {
        ++begin;
    }
    double version = 0;
    std::from_chars(begin, end, version);
    return version;
}

}  // namespace

bool OpenMediaDB(const char* name, std::uint8_t** data) {
    if (name == nullptr || data == nullptr) {
        return false;
    }
    *data = nullptr;
    const std::string path = (frameworksFolder() / name).string();
    if (path.size() > kMaxPathCharacters) {
        return false;
    }
    const std::int32_t size = Load_mdb3GetMediaData(path.c_str(), nullptr);
    if (size <= 0) {
        return false;
    }
    auto* block = static_cast<std::uint8_t*>(std::calloc(static_cast<std::size_t>(size), 1));
    if (block == nullptr) {
        return false;
    }
    if (Load_mdb3GetMediaData(path.c_str(), block) != size) {
        std::free(block);
        return false;
    }
    Load_mdb3FilterMediumHint(block, kHiddenHint, kFilterOn);
    *data = block;
    return true;
}

bool OpenMediaDB2(const char* name, std::uint8_t** data, std::uint32_t inkSystem,
                  std::uint16_t inkValue) {
    if (!OpenMediaDB(name, data)) {
        return false;
    }
    if (inkSystem != 0 || inkValue != 0) {
        Load_mdb3FilterInkSystem(*data, inkSystem, inkValue);
    }
    return true;
}

void CloseMediaDB(std::uint8_t** data) {
    if (data == nullptr) {
        return;
    }
    std::free(*data);
    *data = nullptr;
}

bool CheckMdbDB(const char* name) {
    std::uint8_t* data = nullptr;
    if (!OpenMediaDB(name, &data)) {
        return false;
    }
    DEF_HEADERPART header{};
    Load_mdb3GetHeaderPart(data, &header);
    const bool supported = headerVersion(header) >= kLowestVersion;
    CloseMediaDB(&data);
    return supported;
}
