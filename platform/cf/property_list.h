// Reading and writing property lists in XML and binary ("bplist00") form.
#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <vector>

#include "cf/value.h"

namespace cf {

enum class PropertyListFormat { Xml, Binary };

/// Results of the property-list functions. The caller's output is untouched on any failure.
enum class PlistStatus : int {
    Ok = 0,
    EmptyInput = 1,        ///< nothing to parse: an empty buffer or file
    Malformed = 2,         ///< not a well-formed XML or binary property list; the input is bad
    NotRepresentable = 3,  ///< the value holds null, or the input a kind we do not model
    TooLarge = 4,          ///< input or output over the 4 GiB that the formats can address
    FileError = 5,         ///< the file could not be opened, read, written or renamed (see errno)
};

/// Parses a property list from bytes; the format is detected from the "bplist00" magic.
/// `format`, when given, receives the format that was found. XML text that is not well-formed
/// (cut short, not UTF-8, holding a character or a reference to a character that XML cannot
/// hold) is Malformed, even where libplist would read it.
PlistStatus readPropertyList(std::span<const std::uint8_t> bytes, Value& out,
                             PropertyListFormat* format = nullptr);

/// Reads and parses the file at `path`.
PlistStatus readPropertyListFile(const std::filesystem::path& path, Value& out,
                                 PropertyListFormat* format = nullptr);

/// Serialises `value` (any type but null, and no null inside; strings and keys UTF-8 without
/// a zero byte, see cf/list_text.h) into `out`.
///
/// XML 1.0 cannot hold control characters other than tab, line feed and carriage return, nor
/// U+FFFE and U+FFFF, not even as character references. In the XML format such characters are
/// dropped from strings, so that a setting (say a name read from an old settings file) keeps the
/// rest of its text; a key holding one is refused (NotRepresentable), since two keys could
/// become one. Carriage returns are written as character references, so that every XML reader
/// reads them back as they were. The binary format holds every string as it is.
PlistStatus writePropertyList(const Value& value, PropertyListFormat format,
                              std::vector<std::uint8_t>& out);

/// Writes `value` to `path` atomically: a temporary file in the same folder is written, flushed
/// and renamed over `path`, so a failed write leaves any earlier file whole. A file replaced
/// keeps its permission bits.
PlistStatus writePropertyListFile(const std::filesystem::path& path, const Value& value,
                                  PropertyListFormat format = PropertyListFormat::Xml);

}  // namespace cf
