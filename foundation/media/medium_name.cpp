#include "media/medium_name.h"

#include "helpers/char_code.h"
#include "helpers/text_encoding.h"
#include "loaders/media_db_loader.h"

namespace {
constexpr std::int16_t kNoString = 0;
constexpr std::int16_t kNoName = -1;
}  // namespace

std::optional<std::string> MediumNameFromDatabase(std::uint8_t* db, std::int16_t mediumID,
                                                  const char* locale, std::int32_t region) {
    char name[kMdbNameBytes] = {};
    const std::int16_t result = Load_mdb3MediumString(db, mediumID, locale, name);
    if (result == kNoString || result == kNoName)
        return std::nullopt;
    ConvertCharCodeWinToMac(name, region);
    return text_encoding::fromSystem(name);
}
