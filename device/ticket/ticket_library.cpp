// The ticket library: storing, reading, serialising and merging ticket attributes.
#include "ticket/ticket_library.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <new>
#include <string>
#include <vector>

#include "cf/property_list.h"

namespace {

constexpr std::string_view kBooleanTrue = "true";
constexpr std::string_view kBooleanFalse = "false";
constexpr std::string_view kBooleanUnknown = "UNKNOWN";
constexpr std::string_view kBooleanFailure = "FAILURE";
constexpr char kUnknownStringPlaceholder[] = "UNKNOWN";
constexpr unsigned char kFirstNonAscii = 0x80;

// Keys are ASCII; any other byte means the key string cannot be made.
int checkKey(const char* key) {
    if (key == nullptr) {
        return kTktLibParamErr;
    }
    for (const char* p = key; *p != '\0'; ++p) {
        if (static_cast<unsigned char>(*p) >= kFirstNonAscii) {
            return kTktLibMemErr;
        }
    }
    return kTktLibNoErr;
}

int storeValue(TktLibTicket* ticket, const char* key, cf::Value value) {
    if (ticket == nullptr || !ticket->isDictionary()) {
        return kTktLibParamErr;
    }
    if (int error = checkKey(key); error != kTktLibNoErr) {
        return error;
    }
    ticket->set(key, std::move(value));
    return kTktLibNoErr;
}

int lookUp(const TktLibTicket* ticket, const char* key, const cf::Value** value) {
    if (ticket == nullptr || !ticket->isDictionary() || value == nullptr) {
        return kTktLibParamErr;
    }
    if (int error = checkKey(key); error != kTktLibNoErr) {
        return error;
    }
    const cf::Value* found = ticket->find(key);
    if (found == nullptr) {
        return kTktLibNotFoundErr;
    }
    *value = found;
    return kTktLibNoErr;
}

// The request placeholder of one ticket kind, or null for an invalid kind.
cf::Value placeholder(int kind) {
    const cf::Value unknownString = TktLibCreateCFDataWithCString(kUnknownStringPlaceholder);
    const cf::Value unknownInteger(kTktLibUnknownSInt32);
    const cf::Value unknownBoolean(kBooleanUnknown);
    const cf::Value emptyData(cf::Value::Data{});
    switch (kind) {
        case kTktLibTypeCString:
            return unknownString;
        case kTktLibTypeSInt32:
            return unknownInteger;
        case kTktLibTypeBoolean:
            return unknownBoolean;
        case kTktLibTypeData:
            return emptyData;
        case kTktLibTypeCStringArray:
            return cf::Value(cf::Value::Array{unknownString});
        case kTktLibTypeSInt32Array:
            return cf::Value(cf::Value::Array{unknownInteger});
        case kTktLibTypeBooleanArray:
            return cf::Value(cf::Value::Array{unknownBoolean});
        case kTktLibTypeDataArray:
            return cf::Value(cf::Value::Array{emptyData});
        default:
            return {};
    }
}

// Finds `key` (inside the nested ticket under `classKey` when that is given) and passes the
// stored value to `read`.
template <typename Read>
int readAttribute(const TktLibTicket* ticket, const char* classKey, const char* key, Read read) {
    const cf::Value* stored = nullptr;
    if (classKey != nullptr) {
        const cf::Value* nested = nullptr;
        if (int error = lookUp(ticket, classKey, &nested); error != kTktLibNoErr) {
            return error;
        }
        if (!nested->isDictionary()) {
            return kTktLibParamErr;
        }
        ticket = nested;
    }
    if (int error = lookUp(ticket, key, &stored); error != kTktLibNoErr) {
        return error;
    }
    return read(*stored);
}

// A reader that hands out the stored object itself when it is of the expected type.
auto handOut(cf::Value::Type expected, const cf::Value** out) {
    return [expected, out](const cf::Value& stored) {
        if (out == nullptr || stored.type() != expected) {
            return static_cast<int>(kTktLibParamErr);
        }
        *out = &stored;
        return static_cast<int>(kTktLibNoErr);
    };
}

}  // namespace

int TktLibCreateTicket(TktLibTicket** ticket) {
    if (ticket == nullptr) {
        return kTktLibParamErr;
    }
    *ticket = new (std::nothrow) TktLibTicket(cf::Value::emptyDictionary());
    return *ticket != nullptr ? kTktLibNoErr : kTktLibMemErr;
}

int TktLibDisposeTicket(TktLibTicket* ticket) {
    if (ticket == nullptr) {
        return kTktLibParamErr;
    }
    delete ticket;
    return kTktLibNoErr;
}

int TktLibSetCString(TktLibTicket* ticket, const char* key, const char* string) {
    if (string == nullptr) {
        return kTktLibParamErr;
    }
    return storeValue(ticket, key, TktLibCreateCFDataWithCString(string));
}

int TktLibSetSInt32(TktLibTicket* ticket, const char* key, std::int32_t value) {
    return storeValue(ticket, key, cf::Value(value));
}

int TktLibSetBoolean(TktLibTicket* ticket, const char* key, std::uint32_t number) {
    return storeValue(ticket, key, cf::Value(TktLibConvertBooleanNumToCFString(number)));
}

int TktLibSetCFData(TktLibTicket* ticket, const char* key, const cf::Value* data) {
    if (data == nullptr || !data->isData()) {
        return kTktLibParamErr;
    }
    return storeValue(ticket, key, *data);
}

int TktLibSetCFArray(TktLibTicket* ticket, const char* key, const cf::Value* array) {
    if (array == nullptr || !array->isArray()) {
        return kTktLibParamErr;
    }
    return storeValue(ticket, key, *array);
}

int TktLibSetTicket(TktLibTicket* ticket, const char* key, const TktLibTicket* nested) {
    if (nested == nullptr || !nested->isDictionary()) {
        return kTktLibParamErr;
    }
    return storeValue(ticket, key, *nested);
}

int TktLibSetAttribute(TktLibTicket* ticket, const char* key, int kind) {
    cf::Value value = placeholder(kind);
    if (value.isNull()) {
        return kTktLibParamErr;
    }
    return storeValue(ticket, key, std::move(value));
}

int TktLibSet2ClassAttribute(TktLibTicket* ticket, const char* classKey, const char* key,
                             int kind) {
    const TktLibTicket* existing = nullptr;
    int error = TktLibGetTicket(ticket, classKey, &existing);
    if (error != kTktLibNoErr && error != kTktLibNotFoundErr) {
        return error;
    }
    // Work on a copy, so a refused placeholder leaves the ticket as it was.
    TktLibTicket nested = existing != nullptr ? *existing : cf::Value::emptyDictionary();
    if (error = TktLibSetAttribute(&nested, key, kind); error != kTktLibNoErr) {
        return error;
    }
    return storeValue(ticket, classKey, std::move(nested));
}

int TktLibGetCString(const TktLibTicket* ticket, const char* key, char* buffer,
                     std::uint32_t size) {
    return readAttribute(ticket, nullptr, key, [&](const cf::Value& value) {
        return tktlib::readCString(value, buffer, size);
    });
}

int TktLibGetSInt32(const TktLibTicket* ticket, const char* key, std::int32_t* value) {
    return readAttribute(ticket, nullptr, key, [&](const cf::Value& stored) {
        return tktlib::readSInt32(stored, value);
    });
}

int TktLibGetBoolean(const TktLibTicket* ticket, const char* key, std::uint32_t* number) {
    return readAttribute(ticket, nullptr, key, [&](const cf::Value& stored) {
        return TktLibConvertCFStringToBooleanNum(&stored, number);
    });
}

int TktLibGetCFData(const TktLibTicket* ticket, const char* key, const cf::Value** data) {
    return readAttribute(ticket, nullptr, key, handOut(cf::Value::Type::Data, data));
}

int TktLibGetCFArray(const TktLibTicket* ticket, const char* key, const cf::Value** array) {
    return readAttribute(ticket, nullptr, key, handOut(cf::Value::Type::Array, array));
}

int TktLibGetTicket(const TktLibTicket* ticket, const char* key, const TktLibTicket** nested) {
    return readAttribute(ticket, nullptr, key, handOut(cf::Value::Type::Dictionary, nested));
}

int TktLibGet2ClassCString(const TktLibTicket* ticket, const char* classKey, const char* key,
                           char* buffer, std::uint32_t size) {
    return readAttribute(ticket, classKey, key, [&](const cf::Value& value) {
        return tktlib::readCString(value, buffer, size);
    });
}

int TktLibGet2ClassSInt32(const TktLibTicket* ticket, const char* classKey, const char* key,
                          std::int32_t* value) {
    return readAttribute(ticket, classKey, key, [&](const cf::Value& stored) {
        return tktlib::readSInt32(stored, value);
    });
}

int TktLibGet2ClassBoolean(const TktLibTicket* ticket, const char* classKey, const char* key,
                           std::uint32_t* number) {
    return readAttribute(ticket, classKey, key, [&](const cf::Value& stored) {
        return TktLibConvertCFStringToBooleanNum(&stored, number);
    });
}

int TktLibGet2ClassCFData(const TktLibTicket* ticket, const char* classKey, const char* key,
                          const cf::Value** data) {
    return readAttribute(ticket, classKey, key, handOut(cf::Value::Type::Data, data));
}

int TktLibGet2ClassCFArray(const TktLibTicket* ticket, const char* classKey, const char* key,
                           const cf::Value** array) {
    return readAttribute(ticket, classKey, key, handOut(cf::Value::Type::Array, array));
}

namespace tktlib {

int readCString(const cf::Value& value, char* buffer, std::uint32_t size) {
    // Only a string attribute (stored as data) is copied; another kind leaves the buffer.
    return value.isData() ? TktLibConvertCFDataToCString(&value, buffer, size) : kTktLibNoErr;
}

int readSInt32(const cf::Value& value, std::int32_t* out) {
    const auto number = value.integer();
    if (out == nullptr || !number) {
        return kTktLibParamErr;
    }
    if (*number < std::numeric_limits<std::int32_t>::min() ||
        *number > std::numeric_limits<std::int32_t>::max()) {
        return kTktLibNotFoundErr;
    }
    *out = static_cast<std::int32_t>(*number);
    return kTktLibNoErr;
}

}  // namespace tktlib

cf::Value TktLibCreateCFDataWithCString(const char* string) {
    if (string == nullptr) {
        return {};
    }
    return cf::Value::data(string, std::strlen(string));
}

std::string_view TktLibConvertBooleanNumToCFString(std::uint32_t number) {
    switch (number) {
        case kTktLibBooleanTrue:
            return kBooleanTrue;
        case kTktLibBooleanFalse:
            return kBooleanFalse;
        case kTktLibBooleanFailure:
            return kBooleanFailure;
        default:
            return kBooleanUnknown;
    }
}

int TktLibConvertCFStringToBooleanNum(const cf::Value* string, std::uint32_t* number) {
    if (string == nullptr || number == nullptr || !string->isString()) {
        return kTktLibParamErr;
    }
    const std::string& text = *string->string();
    if (text == kBooleanTrue) {
        *number = kTktLibBooleanTrue;
    } else if (text == kBooleanFalse) {
        *number = kTktLibBooleanFalse;
    } else if (text == kBooleanUnknown) {
        *number = kTktLibBooleanUnknown;
    } else {
        *number = kTktLibBooleanFailure;
    }
    return kTktLibNoErr;
}

int TktLibConvertCFDataToCString(const cf::Value* data, char* buffer, std::uint32_t size) {
    if (data == nullptr || buffer == nullptr || size == 0 || !data->isData()) {
        return kTktLibParamErr;
    }
    const auto& bytes = *data->data();
    std::memset(buffer, 0, size);
    const std::size_t copied = std::min<std::size_t>(size - 1, bytes.size());
    std::copy_n(bytes.begin(), copied, buffer);
    return kTktLibNoErr;
}

int TktLibCreateSerializedDataWithTicket(const TktLibTicket* ticket, cf::Value* data) {
    if (ticket == nullptr || data == nullptr || !ticket->isDictionary()) {
        return kTktLibParamErr;
    }
    std::vector<std::uint8_t> bytes;
    if (cf::writePropertyList(*ticket, cf::PropertyListFormat::Binary, bytes) !=
        cf::PlistStatus::Ok) {
        return kTktLibSerializeErr;
    }
    *data = cf::Value(std::move(bytes));
    return kTktLibNoErr;
}

int TktLibCreateTicketWithSerializedData(const cf::Value* data, TktLibTicket** ticket) {
    if (data == nullptr || ticket == nullptr || !data->isData()) {
        return kTktLibParamErr;
    }
    cf::Value parsed;
    if (cf::readPropertyList(*data->data(), parsed) != cf::PlistStatus::Ok) {
        return kTktLibParseErr;
    }
    if (!parsed.isDictionary()) {
        return kTktLibParamErr;
    }
    *ticket = new (std::nothrow) TktLibTicket(std::move(parsed));
    return *ticket != nullptr ? kTktLibNoErr : kTktLibMemErr;
}

int TktLibMergeTicket(TktLibTicket* destination, const TktLibTicket* source) {
    if (destination == nullptr || source == nullptr || !destination->isDictionary() ||
        !source->isDictionary()) {
        return kTktLibParamErr;
    }
    for (const auto& [key, value] : *source->dictionary()) {
        destination->set(key, value);
    }
    return kTktLibNoErr;
}
