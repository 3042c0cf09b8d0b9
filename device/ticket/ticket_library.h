// The ticket library: attribute dictionaries with their value encodings and placeholders.
//
// A ticket is a cf::Value dictionary owned through TktLibCreateTicket/TktLibDisposeTicket.
// Getters hand out the stored objects without copying; they stay valid until the key is set
// again or the ticket is disposed. Every function returns a TktLibError code.
#pragma once

#include <cstdint>
#include <string_view>

#include "cf/value.h"

using TktLibTicket = cf::Value;

enum TktLibError : int {
    kTktLibNoErr = 0,
    kTktLibParamErr = 1,  ///< null argument, invalid kind, zero size, parsed data not a dictionary
    kTktLibMemErr = 2,    ///< a key, value or nested ticket could not be made
    kTktLibNotFoundErr = 3,   ///< the key or class key is absent; an integer does not fit
    kTktLibSerializeErr = 4,  ///< the ticket could not be serialised
    kTktLibParseErr = 5,      ///< the data is no property list
};

/// Ticket attribute kinds of the request placeholders.
enum TktLibAttributeType : int {
    kTktLibTypeInvalid = 0,
    kTktLibTypeCString = 1,
    kTktLibTypeSInt32 = 2,
    kTktLibTypeBoolean = 3,
    kTktLibTypeData = 4,
    kTktLibTypeCStringArray = 5,
    kTktLibTypeSInt32Array = 6,
    kTktLibTypeBooleanArray = 7,
    kTktLibTypeDataArray = 8,
};

/// Boolean numbers as tickets carry them.
inline constexpr std::uint32_t kTktLibBooleanFalse = 0;
inline constexpr std::uint32_t kTktLibBooleanTrue = 1;
inline constexpr std::uint32_t kTktLibBooleanUnknown = 0x80000000u;
inline constexpr std::uint32_t kTktLibBooleanFailure = 0x80000001u;

/// The integer placeholder, and what an unanswered integer request reads as.
inline constexpr std::int32_t kTktLibUnknownSInt32 = INT32_MIN;

int TktLibCreateTicket(TktLibTicket** ticket);
int TktLibDisposeTicket(TktLibTicket* ticket);

int TktLibSetCString(TktLibTicket* ticket, const char* key, const char* string);
int TktLibSetSInt32(TktLibTicket* ticket, const char* key, std::int32_t value);
int TktLibSetBoolean(TktLibTicket* ticket, const char* key, std::uint32_t number);
int TktLibSetCFData(TktLibTicket* ticket, const char* key, const cf::Value* data);
int TktLibSetCFArray(TktLibTicket* ticket, const char* key, const cf::Value* array);
int TktLibSetTicket(TktLibTicket* ticket, const char* key, const TktLibTicket* nested);
int TktLibSetAttribute(TktLibTicket* ticket, const char* key, int kind);
int TktLibSet2ClassAttribute(TktLibTicket* ticket, const char* classKey, const char* key, int kind);

int TktLibGetCString(const TktLibTicket* ticket, const char* key, char* buffer, std::uint32_t size);
int TktLibGetSInt32(const TktLibTicket* ticket, const char* key, std::int32_t* value);
int TktLibGetBoolean(const TktLibTicket* ticket, const char* key, std::uint32_t* number);
int TktLibGetCFData(const TktLibTicket* ticket, const char* key, const cf::Value** data);
int TktLibGetCFArray(const TktLibTicket* ticket, const char* key, const cf::Value** array);
int TktLibGetTicket(const TktLibTicket* ticket, const char* key, const TktLibTicket** nested);

int TktLibGet2ClassCString(const TktLibTicket* ticket, const char* classKey, const char* key,
                           char* buffer, std::uint32_t size);
int TktLibGet2ClassSInt32(const TktLibTicket* ticket, const char* classKey, const char* key,
                          std::int32_t* value);
int TktLibGet2ClassBoolean(const TktLibTicket* ticket, const char* classKey, const char* key,
                           std::uint32_t* number);
int TktLibGet2ClassCFData(const TktLibTicket* ticket, const char* classKey, const char* key,
                          const cf::Value** data);
int TktLibGet2ClassCFArray(const TktLibTicket* ticket, const char* classKey, const char* key,
                           const cf::Value** array);

/// A data value holding the string's bytes without the terminating zero; null for null.
cf::Value TktLibCreateCFDataWithCString(const char* string);
/// "true", "false", "FAILURE" or "UNKNOWN" for a Boolean number.
std::string_view TktLibConvertBooleanNumToCFString(std::uint32_t number);
int TktLibConvertCFStringToBooleanNum(const cf::Value* string, std::uint32_t* number);
/// Copies at most size - 1 bytes of the data into the cleared buffer; size 0 gives 1.
int TktLibConvertCFDataToCString(const cf::Value* data, char* buffer, std::uint32_t size);

/// The whole ticket as a binary property list, stored in `data` as a data value.
int TktLibCreateSerializedDataWithTicket(const TktLibTicket* ticket, cf::Value* data);
/// Parses a serialised ticket; the property list must be a dictionary.
int TktLibCreateTicketWithSerializedData(const cf::Value* data, TktLibTicket** ticket);

/// Value-level readers shared by the ticket getters and the exported array getters.
namespace tktlib {
/// Copies a string attribute (stored as data) into the buffer; another kind leaves it as it was.
int readCString(const cf::Value& value, char* buffer, std::uint32_t size);
/// The stored integer as signed 32-bit; kTktLibNotFoundErr when it does not fit.
int readSInt32(const cf::Value& value, std::int32_t* out);
}  // namespace tktlib

/// Copies every entry of `source` into `destination`, replacing entries of the same key.
int TktLibMergeTicket(TktLibTicket* destination, const TktLibTicket* source);
