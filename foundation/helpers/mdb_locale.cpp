#include "helpers/mdb_locale.h"

#include <cstring>
#include <string>
#include <vector>

#include "cf/string_table.h"
#include "helpers/kstat.h"

namespace {

constexpr const char* kLocaleKey = "STEXT_SET_MDB_LOCALE";

// The user's language, then its first part alone ("zh-Hans", "zh").
std::vector<std::string> userLanguages() {
    const std::string language = kStat::Get_LanguageIdentifier();
    std::vector<std::string> languages{language};
    if (const auto dash = language.find('-'); dash != std::string::npos)
        languages.push_back(language.substr(0, dash));
    return languages;
}

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
    const auto text = cf::localizedString(*bundle, kLocaleKey, userLanguages());
    if (!text || text->empty())
        return;
    const std::size_t length = cutLength(*text, kMdbLocaleBytes - 1);
    std::memcpy(buffer, text->data(), length);
    buffer[length] = '\0';
}
