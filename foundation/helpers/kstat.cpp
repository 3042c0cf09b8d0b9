#include "helpers/kstat.h"

#include "language/user_language.h"

std::string kStat::Get_LocaleIdentifier() {
    return language::localeCountry();
}

std::string kStat::preferredLanguage() {
    return language::preferred();
}

std::string kStat::Get_LanguageIdentifier() {
    return language::identifier();
}

int kStat::Get_RegionCode() {
    return language::regionCode();
}
