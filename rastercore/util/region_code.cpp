// Region and country codes from the user's language settings.
#include "util/region_code.h"

#include "language/user_language.h"

std::string Get_LocaleIdentifier() {
    return language::localeCountry();
}

std::int16_t Get_RegionCode() {
    return static_cast<std::int16_t>(language::regionCode());
}
