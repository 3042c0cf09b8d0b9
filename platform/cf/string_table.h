// String tables: the "key" = "value"; files of a bundle's resources that hold its interface
// texts, one table per language in Resources/<language>.lproj/.
#pragma once

#include <filesystem>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "cf/bundle.h"

namespace cf {

using StringTable = std::map<std::string, std::string, std::less<>>;

/// Parses a string table in UTF-8: entries `"key" = "value";` (a key or value made only of
/// letters, digits and _ . - $ : / may go unquoted), with /* */ and // comments. Escapes in
/// quoted strings: \" \\ \' \n \t \r and \Uxxxx (four hex digits, surrogate pairs joined); any
/// other escaped character stands for itself. A later entry of a key replaces an earlier one.
/// None when the text is not such a table.
std::optional<StringTable> parseStringTable(std::string_view text);

/// Reads and parses the table file at `path`; none when it cannot be read or parsed.
std::optional<StringTable> readStringTableFile(const std::filesystem::path& path);

/// The text of `key` in the bundle's table `table`: the table of the first of `languages` that
/// the bundle has (Resources/<language>.lproj/<table>.strings), else that of the bundle's
/// development region ("CFBundleDevelopmentRegion"), else Resources/<table>.strings. None when
/// no table is found or the one found lacks the key.
std::optional<std::string> localizedString(const Bundle& bundle, std::string_view key,
                                           std::span<const std::string> languages,
                                           std::string_view table = "Localizable");

}  // namespace cf
