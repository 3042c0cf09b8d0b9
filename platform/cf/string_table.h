// Localized texts of a bundle: string tables `Resources/<language>.lproj/<table>.strings`, each a
// property list holding one dictionary from key to text.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "cf/bundle.h"

namespace cf {

/// The file of the bundle's string table `table` that texts are taken from: the one of the first
/// of `languages` whose folder has it, else the one in "en.lproj", else the one at the top of
/// Resources; none when the bundle has no such table.
std::optional<std::filesystem::path> localizedTableFile(const Bundle& bundle,
                                                        const std::vector<std::string>& languages,
                                                        std::string_view table = "Localizable");

/// The text of `key` in the bundle's string table `table`. The table is the one of the first of
/// localizedTableFile; only that table is asked. None when there is no table, it is no dictionary,
/// or it does not hold the key as a string.
std::optional<std::string> localizedString(const Bundle& bundle, std::string_view key,
                                           const std::vector<std::string>& languages,
                                           std::string_view table = "Localizable");

}  // namespace cf
