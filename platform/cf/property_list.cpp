// Property-list files through libplist, converted to and from cf::Value.
#include "cf/property_list.h"

#include <plist/plist.h>

#include <cmath>
#include <cstdlib>
#include <limits>
#include <memory>
#include <string>
#include <string_view>

#include "cf/binary_list_check.h"
#include "cf/file_replace.h"
#include "cf/list_text.h"
#include "cf/regular_file.h"
#include "cf/xml_list_check.h"

namespace cf {
namespace {

// Nesting deeper than this is refused rather than risking the stack on hostile input.
constexpr int kMaxNesting = 256;
// In XML a value at depth 0 lies inside the <plist> element and is an element itself.
constexpr int kXmlElementsAroundValue = 2;
constexpr std::uint64_t kMaxFormatBytes = std::numeric_limits<std::uint32_t>::max();
constexpr int kMicrosecondsPerSecond = 1000000;
// Settings, job descriptions and favourites are kilobytes; a file far past that is no such file.
constexpr std::size_t kLargestPropertyListFile = 64u << 20;

struct PlistFree {
    void operator()(plist_t node) const { plist_free(node); }
};
using PlistPtr = std::unique_ptr<void, PlistFree>;

struct MallocFree {
    void operator()(void* block) const { std::free(block); }
};
using MallocPtr = std::unique_ptr<char, MallocFree>;

PlistStatus fromPlist(plist_t node, Value& out, int depth);

// libplist keeps a date as 32-bit seconds and microseconds, so only dates whose whole seconds
// (after rounding up) fit 32 bits are written and read back; others are refused both ways.
bool isListDate(double secondsSince2001) {
    const double whole = std::floor(secondsSince2001);
    return whole >= std::numeric_limits<std::int32_t>::min() &&
           whole < std::numeric_limits<std::int32_t>::max();
}

PlistStatus fromPlistArray(plist_t node, Value& out, int depth) {
    Value::Array items;
    const std::uint32_t count = plist_array_get_size(node);
    items.reserve(count);
    for (std::uint32_t i = 0; i < count; ++i) {
        Value item;
        if (auto status = fromPlist(plist_array_get_item(node, i), item, depth + 1);
            status != PlistStatus::Ok) {
            return status;
        }
        items.push_back(std::move(item));
    }
    out = Value(std::move(items));
    return PlistStatus::Ok;
}

PlistStatus fromPlistDictionary(plist_t node, Value& out, int depth) {
    Value::Dictionary entries;
    plist_dict_iter iter = nullptr;
    plist_dict_new_iter(node, &iter);
    MallocPtr iterOwner(static_cast<char*>(iter));
    for (;;) {
        char* rawKey = nullptr;
        plist_t child = nullptr;
        plist_dict_next_item(node, iter, &rawKey, &child);
        MallocPtr key(rawKey);
        if (child == nullptr) {
            break;
        }
        if (key && !isListText(key.get())) {
            return PlistStatus::Malformed;
        }
        Value item;
        if (auto status = fromPlist(child, item, depth + 1); status != PlistStatus::Ok) {
            return status;
        }
        entries.insert_or_assign(key ? std::string(key.get()) : std::string(), std::move(item));
    }
    out = Value(std::move(entries));
    return PlistStatus::Ok;
}

PlistStatus fromPlistScalar(plist_t node, Value& out) {
    switch (plist_get_node_type(node)) {
        case PLIST_BOOLEAN: {
            std::uint8_t flag = 0;
            plist_get_bool_val(node, &flag);
            out = Value(flag != 0);
            return PlistStatus::Ok;
        }
        case PLIST_UINT: {
            // libplist keeps signed integers in two's complement.
            std::uint64_t bits = 0;
            plist_get_uint_val(node, &bits);
            const auto number = static_cast<std::int64_t>(bits);
            const bool fits32 = number >= std::numeric_limits<std::int32_t>::min() &&
                                number <= std::numeric_limits<std::int32_t>::max();
            out = fits32 ? Value(static_cast<std::int32_t>(number)) : Value(number);
            return PlistStatus::Ok;
        }
        case PLIST_REAL: {
            double real = 0;
            plist_get_real_val(node, &real);
            out = Value(real);
            return PlistStatus::Ok;
        }
        case PLIST_STRING: {
            char* raw = nullptr;
            plist_get_string_val(node, &raw);
            MallocPtr text(raw);
            if (text && !isListText(text.get())) {
                return PlistStatus::Malformed;
            }
            out = Value(std::string(text ? text.get() : ""));
            return PlistStatus::Ok;
        }
        case PLIST_DATA: {
            char* raw = nullptr;
            std::uint64_t length = 0;
            plist_get_data_val(node, &raw, &length);
            MallocPtr bytes(raw);
            out = Value::data(bytes.get(), bytes ? length : 0);
            return PlistStatus::Ok;
        }
        case PLIST_DATE: {
            std::int32_t seconds = 0;
            std::int32_t microseconds = 0;
            plist_get_date_val(node, &seconds, &microseconds);
            const double since2001 =
                seconds + static_cast<double>(microseconds) / kMicrosecondsPerSecond;
            if (!isListDate(since2001)) {
                return PlistStatus::Malformed;
            }
            out = Value(Value::Date{since2001});
            return PlistStatus::Ok;
        }
        default:
            return PlistStatus::NotRepresentable;
    }
}

PlistStatus fromPlist(plist_t node, Value& out, int depth) {
    if (node == nullptr || depth > kMaxNesting) {
        return PlistStatus::Malformed;
    }
    switch (plist_get_node_type(node)) {
        case PLIST_ARRAY:
            return fromPlistArray(node, out, depth);
        case PLIST_DICT:
            return fromPlistDictionary(node, out, depth);
        default:
            return fromPlistScalar(node, out);
    }
}

// Null for a date outside the range that libplist holds (see isListDate).
plist_t toPlistDate(Value::Date date) {
    if (!isListDate(date.secondsSince2001)) {
        return nullptr;
    }
    double whole = std::floor(date.secondsSince2001);
    auto microseconds = static_cast<std::int32_t>(
        std::lround((date.secondsSince2001 - whole) * kMicrosecondsPerSecond));
    if (microseconds == kMicrosecondsPerSecond) {
        whole += 1;
        microseconds = 0;
    }
    return plist_new_date(static_cast<std::int32_t>(whole), microseconds);
}

// A string of an XML list: the characters that XML cannot hold are dropped, so that a setting
// keeps the rest of its text.
PlistPtr toPlistString(const std::string& text, PropertyListFormat format) {
    if (!isListText(text)) {
        return nullptr;
    }
    return PlistPtr(plist_new_string(
        format == PropertyListFormat::Xml ? withoutNonXmlCharacters(text).c_str() : text.c_str()));
}

// A key is never altered: two keys could become one.
bool isWritableKey(const std::string& key, PropertyListFormat format) {
    return isListText(key) && (format != PropertyListFormat::Xml || holdsOnlyXmlCharacters(key));
}

// Builds a libplist tree; null when the value holds something a property list cannot.
PlistPtr toPlist(const Value& value, PropertyListFormat format, int depth) {
    if (depth > kMaxNesting) {
        return nullptr;
    }
    switch (value.type()) {
        case Value::Type::Null:
            return nullptr;
        case Value::Type::Boolean:
            return PlistPtr(plist_new_bool(*value.boolean() ? 1 : 0));
        case Value::Type::Integer:
            return PlistPtr(plist_new_uint(static_cast<std::uint64_t>(*value.integer())));
        case Value::Type::Real:
            return PlistPtr(plist_new_real(*value.real()));
        case Value::Type::String:
            return toPlistString(*value.string(), format);
        case Value::Type::Data: {
            const auto& bytes = *value.data();
            return PlistPtr(
                plist_new_data(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
        }
        case Value::Type::Date:
            return PlistPtr(toPlistDate(*value.date()));
        case Value::Type::Array: {
            PlistPtr node(plist_new_array());
            for (const auto& item : *value.array()) {
                PlistPtr child = toPlist(item, format, depth + 1);
                if (!child) {
                    return nullptr;
                }
                plist_array_append_item(node.get(), child.release());
            }
            return node;
        }
        case Value::Type::Dictionary: {
            PlistPtr node(plist_new_dict());
            for (const auto& [key, item] : *value.dictionary()) {
                PlistPtr child = toPlist(item, format, depth + 1);
                if (!child || !isWritableKey(key, format)) {
                    return nullptr;
                }
                plist_dict_set_item(node.get(), key.c_str(), child.release());
            }
            return node;
        }
    }
    return nullptr;
}

// An XML property list ends with its closing root tag; without it the text was cut short, even
// where the lenient parser would still build a tree from what is there. Before that tag it holds
// no zero byte: XML text has none, and libplist aborts reading a string or key that holds one.
// It is UTF-8 throughout, holds no character that XML cannot hold, and no reference to one:
// libplist would read such text, which every other XML reader refuses.
bool isWellFormedXmlList(std::string_view text) {
    constexpr std::string_view kClosingTag = "</plist>";
    const auto end = text.find_last_not_of(std::string_view(" \t\r\n\0", 5));
    if (end == std::string_view::npos) {
        return false;
    }
    const std::string_view document = text.substr(0, end + 1);
    return document.ends_with(kClosingTag) && isListText(document) &&
           holdsOnlyXmlCharacters(document) &&
           detail::xmlElementsNestedWithin(document, kMaxNesting + kXmlElementsAroundValue) &&
           detail::xmlReferencesWellFormed(document);
}

// libplist writes a carriage return as it is, and XML readers take one as a line feed: it is
// written as a character reference instead, which every reader takes as written.
void appendXmlWithCarriageReturnsAsReferences(std::string_view xml,
                                              std::vector<std::uint8_t>& out) {
    constexpr std::string_view kCarriageReturnReference = "&#13;";
    out.reserve(xml.size());
    for (const char c : xml) {
        if (c == '\r') {
            out.insert(out.end(), kCarriageReturnReference.begin(), kCarriageReturnReference.end());
        } else {
            out.push_back(static_cast<std::uint8_t>(c));
        }
    }
}

}  // namespace

PlistStatus readPropertyList(std::span<const std::uint8_t> bytes, Value& out,
                             PropertyListFormat* format) {
    if (bytes.empty()) {
        return PlistStatus::EmptyInput;
    }
    if (bytes.size() > kMaxFormatBytes) {
        return PlistStatus::TooLarge;
    }
    const auto* raw = reinterpret_cast<const char*>(bytes.data());
    const auto length = static_cast<std::uint32_t>(bytes.size());
    const bool binary = plist_is_binary(raw, length) != 0;
    // libplist recurses once per level of nesting, so the depth is checked before it parses.
    if (binary && (detail::binaryListHoldsZeroUnicodeUnit(bytes) ||
                   !detail::binaryListNestingWithin(bytes, kMaxNesting))) {
        return PlistStatus::Malformed;
    }
    if (!binary && !isWellFormedXmlList(std::string_view(raw, bytes.size()))) {
        return PlistStatus::Malformed;
    }
    plist_t parsed = nullptr;
    if (binary) {
        plist_from_bin(raw, length, &parsed);
    } else {
        plist_from_xml(raw, length, &parsed);
    }
    PlistPtr root(parsed);
    if (!root) {
        return PlistStatus::Malformed;
    }
    Value result;
    if (auto status = fromPlist(root.get(), result, 0); status != PlistStatus::Ok) {
        return status;
    }
    out = std::move(result);
    if (format != nullptr) {
        *format = binary ? PropertyListFormat::Binary : PropertyListFormat::Xml;
    }
    return PlistStatus::Ok;
}

PlistStatus readPropertyListFile(const std::filesystem::path& path, Value& out,
                                 PropertyListFormat* format) {
    std::vector<std::uint8_t> bytes;
    switch (readRegularFile(path, kLargestPropertyListFile, bytes)) {
        case FileReadStatus::Ok:
            return readPropertyList(bytes, out, format);
        case FileReadStatus::TooLarge:
            return PlistStatus::TooLarge;
        default:
            return PlistStatus::FileError;
    }
}

PlistStatus writePropertyList(const Value& value, PropertyListFormat format,
                              std::vector<std::uint8_t>& out) {
    PlistPtr root = toPlist(value, format, 0);
    if (!root) {
        return PlistStatus::NotRepresentable;
    }
    char* raw = nullptr;
    std::uint32_t length = 0;
    if (format == PropertyListFormat::Binary) {
        plist_to_bin(root.get(), &raw, &length);
    } else {
        plist_to_xml(root.get(), &raw, &length);
    }
    MallocPtr bytes(raw);
    if (!bytes) {
        return PlistStatus::TooLarge;
    }
    std::vector<std::uint8_t> written;
    if (format == PropertyListFormat::Binary) {
        const auto* begin = reinterpret_cast<const std::uint8_t*>(bytes.get());
        written.assign(begin, begin + length);
    } else {
        appendXmlWithCarriageReturnsAsReferences(std::string_view(bytes.get(), length), written);
    }
    out = std::move(written);
    return PlistStatus::Ok;
}

PlistStatus writePropertyListFile(const std::filesystem::path& path, const Value& value,
                                  PropertyListFormat format) {
    std::vector<std::uint8_t> bytes;
    if (auto status = writePropertyList(value, format, bytes); status != PlistStatus::Ok) {
        return status;
    }
    return replaceFile(path, bytes) ? PlistStatus::Ok : PlistStatus::FileError;
}

}  // namespace cf
