#include "helpers/mdb_locale.h"

#include <cstring>
#include <string>
#include <vector>

#include "cf/string_table.h"
#include "helpers/bundle_string.h"

namespace {

constexpr const char* kLocaleKey = "STEXT_SET_MDB_LOCALE";

// The length of `text` cut to `limit` bytes without splitting a UTF-8 character.
std::size_t cutLength(const std::string& text, std::size_t limit) {
    if (text.size() <= limit)
        return text.size();
    std::size_t length = limit;
    while (length > 0 && (static_cast<unsigned char>(text[length]) & 0xC0) == 0x80) --length;
    return length;
}

}  // namespace

void GetLocaleCharforMDB(const cf::Bundle* bundle, char* buffer) {
    if (bundle == nullptr || buffer == nullptr)
        return;
    const auto text = cf::localizedString(*bundle, kLocaleKey, UserLanguages());
    if (!text || text->empty())
        return;
    const std::size_t length = cutLength(*text, kMdbLocaleBytes - 1);
    std::memcpy(buffer, text->data(), length);
    buffer[length] = '\0';
}
