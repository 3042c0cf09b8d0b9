// What the administration request handlers share: key names, reading the inputs of a request
// ticket, writing answers into the result ticket, and turning lower-layer codes into core codes.
//
// Every reader and writer returns a core result code: an absent key is no failure (the reader's
// optional stays empty), any other ticket failure maps through ConvertTktLibErrToCoreErr.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "cf/value.h"
#include "glue/glue_session.h"
#include "ticket/ticket_library.h"

namespace admin {

/// Every administration key begins with this prefix.
inline constexpr std::string_view kKeyPrefix = "orvane.wqs.";
/// Text inputs and settings hold at most 255 bytes (a length byte says how many).
inline constexpr std::uint32_t kTextBufferSize = 256;
inline constexpr std::uint32_t kMaxTextLength = kTextBufferSize - 1;
/// The character-set code of a text setting whose code key is absent.
inline constexpr std::int32_t kDefaultCharacterSet = 3;
/// The key of every control's result, spelled as the callers spell it.
inline constexpr std::string_view kControlResultKey = "ReultListOfControl";

/// The full key of `name`.
std::string key(std::string_view name);

/// The core code of a failed protocol operation: the protocol status table, then the glue table.
std::uint32_t glueCode(std::int32_t status);

/// Presence of a key in a ticket.
bool has(const TktLibTicket& ticket, std::string_view name);
bool hasAny(const TktLibTicket& ticket, std::span<const std::string_view> names);

/// Inputs of a request ticket.
std::uint32_t readInt(const TktLibTicket& ticket, std::string_view name,
                      std::optional<std::int32_t>& value);
/// A text of at most 255 bytes.
std::uint32_t readText(const TktLibTicket& ticket, std::string_view name,
                       std::optional<std::string>& value);
std::uint32_t readData(const TktLibTicket& ticket, std::string_view name,
                       std::optional<cf::Value::Data>& value);
/// An array of 32-bit integers; elements of another kind read as 0.
std::uint32_t readIntArray(const TktLibTicket& ticket, std::string_view name,
                           std::optional<std::vector<std::int32_t>>& value);

/// Answers into a result ticket.
std::uint32_t setText(TktLibTicket& ticket, std::string_view name, const std::string& text);
std::uint32_t setInt(TktLibTicket& ticket, std::string_view name, std::int32_t value);
std::uint32_t setBoolean(TktLibTicket& ticket, std::string_view name, std::uint32_t number);
std::uint32_t setData(TktLibTicket& ticket, std::string_view name,
                      std::span<const std::uint8_t> bytes);
/// Byte data holding the bytes of `bytes` (which may hold zeros).
std::uint32_t setData(TktLibTicket& ticket, std::string_view name, const std::string& bytes);
/// An array of byte data, one per string, each holding the string's bytes.
std::uint32_t setDataArray(TktLibTicket& ticket, std::string_view name,
                           const std::vector<std::string>& values);
std::uint32_t setIntArray(TktLibTicket& ticket, std::string_view name,
                          std::span<const std::int32_t> values);
/// An array of byte-data strings.
std::uint32_t setTextArray(TktLibTicket& ticket, std::string_view name,
                           const std::vector<std::string>& texts);
std::uint32_t setBooleanArray(TktLibTicket& ticket, std::string_view name,
                              std::span<const std::uint32_t> numbers);
std::uint32_t setTicket(TktLibTicket& ticket, std::string_view name, const TktLibTicket& nested);

/// The characters of a length-prefixed string from the printer (a length byte, then at most
/// `capacity` - 1 characters), without a leading UTF-8 byte-order mark.
std::string printerText(const std::uint8_t* pascal, std::uint32_t capacity);
/// The raw characters of a length-prefixed string, bounded the same way.
std::string pascalCharacters(const std::uint8_t* pascal, std::uint32_t capacity);
/// printerText, or "UNKNOWN" for an empty text.
std::string printerTextOrUnknown(const std::uint8_t* pascal, std::uint32_t capacity);

/// The first of the codes that is not 0, or 0. Evaluates a step only while every earlier one
/// succeeded.
template <typename... Steps>
std::uint32_t firstFailure(Steps&&... steps) {
    std::uint32_t code = 0;
    ((code == 0 ? (code = steps(), 0) : 0), ...);
    return code;
}

}  // namespace admin
