// The program's bundle: the folder of its executable, with Info.plist and Resources/ holding the
// localized texts of its alert.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace jobsender {

/// The user's languages, most preferred first: the entries of $LANGUAGE, else the language of
/// $LC_ALL, $LC_MESSAGES or $LANG ("de_DE.UTF-8" gives "de").
std::vector<std::string> preferredLanguages();

/// The main bundle's text of `key` in the preferred language; the key itself when there is none.
std::string mainBundleString(std::string_view key);

}  // namespace jobsender
