// Loads a media database file the way its callers do: size, zeroed block, fill.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "medab2/medab2.h"

namespace medab2test {

inline const std::string kSL7000 = std::string(MEDAB2_DATABASE_DIR) + "/MDB_SL7000.mdb";
inline const std::string kSL5000 = std::string(MEDAB2_DATABASE_DIR) + "/MDB_SL5000.mdb";
inline const std::string kOld = std::string(MEDAB2_FIXTURE_DIR) + "/MDB_OLD29.mdb";

inline std::vector<std::uint8_t> load(const std::string& path) {
    const std::int32_t size = mdb3GetMediaData(path.c_str(), nullptr);
    if (size <= 0) {
        { return {}; }
    }
    std::vector<std::uint8_t> image(static_cast<std::size_t>(size));
    if (mdb3GetMediaData(path.c_str(), image.data()) != size) {
        { return {}; }
    }
    return image;
}

}  // namespace medab2test
