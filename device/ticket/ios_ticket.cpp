// The exported ticket and array functions, on the ticket library.
#include "DovoCommonLib/ios_ticket.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "ticket/ticket_error.h"
#include "ticket/ticket_library.h"

namespace {

TktLibTicket* asTicket(void* handle) {
    return static_cast<TktLibTicket*>(handle);
}
cf::Value* asArray(void* handle) {
    return static_cast<cf::Value*>(handle);
}

// Exported type codes: bit sets of 1 string, 2 integer, 4 Boolean, 8 data, 0x100 array of.
int LocalConvertToTktLibAttributeType(std::uint32_t typeCode) {
    switch (typeCode) {
        case 0x001:
            return kTktLibTypeCString;
        case 0x002:
            return kTktLibTypeSInt32;
        case 0x004:
            return kTktLibTypeBoolean;
        case 0x008:
            return kTktLibTypeData;
        case 0x101:
            return kTktLibTypeCStringArray;
        case 0x102:
            return kTktLibTypeSInt32Array;
        case 0x104:
            return kTktLibTypeBooleanArray;
        case 0x108:
            return kTktLibTypeDataArray;
        default:
            return kTktLibTypeInvalid;
    }
}

// Copies data out: `length` always receives the data's length; a null buffer only measures; a
// buffer shorter than the data gets nothing.
std::uint32_t LocalGetData(const cf::Value* data, void* buffer, std::uint32_t* length) {
    if (data == nullptr || !data->isData()) {
        return kIOS_ErrParam;
    }
    if (length == nullptr) {
        return buffer == nullptr ? kIOS_NoErr : kIOS_ErrBufferTooSmall;
    }
    const auto& bytes = *data->data();
    const std::uint32_t given = *length;
    *length = static_cast<std::uint32_t>(bytes.size());
    if (buffer == nullptr) {
        return kIOS_NoErr;
    }
    if (bytes.size() > given) {
        return kIOS_ErrBufferTooSmall;
    }
    std::memset(buffer, 0, given);
    std::copy(bytes.begin(), bytes.end(), static_cast<std::uint8_t*>(buffer));
    return kIOS_NoErr;
}

// A stored Boolean reads as 1 for "true" and for any unrecognised string, else 0.
std::uint8_t booleanByte(std::uint32_t number) {
    return number == kTktLibBooleanTrue || number == kTktLibBooleanFailure ? 1 : 0;
}

std::uint32_t getBoolean(const TktLibTicket* ticket, const char* classKey, const char* key,
                         std::uint8_t* value) {
    if (ticket == nullptr || key == nullptr || value == nullptr) {
        return kIOS_ErrParam;
    }
    std::uint32_t number = 0;
    const int error = classKey != nullptr ? TktLibGet2ClassBoolean(ticket, classKey, key, &number)
                                          : TktLibGetBoolean(ticket, key, &number);
    if (error != kTktLibNoErr) {
        return ConvertTktLibError(error);
    }
    *value = booleanByte(number);
    return kIOS_NoErr;
}

std::uint32_t getData(const TktLibTicket* ticket, const char* classKey, const char* key,
                      void* buffer, std::uint32_t* length) {
    if (ticket == nullptr || key == nullptr) {
        return kIOS_ErrParam;
    }
    const cf::Value* data = nullptr;
    const int error = classKey != nullptr ? TktLibGet2ClassCFData(ticket, classKey, key, &data)
                                          : TktLibGetCFData(ticket, key, &data);
    if (error != kTktLibNoErr) {
        return ConvertTktLibError(error);
    }
    return LocalGetData(data, buffer, length);
}

// Hands the caller a copy of the stored array, released with IOS_ArrayDispose.
std::uint32_t getArray(const TktLibTicket* ticket, const char* classKey, const char* key,
                       void** array) {
    if (ticket == nullptr || key == nullptr || array == nullptr) {
        return kIOS_ErrParam;
    }
    const cf::Value* stored = nullptr;
    const int error = classKey != nullptr ? TktLibGet2ClassCFArray(ticket, classKey, key, &stored)
                                          : TktLibGetCFArray(ticket, key, &stored);
    if (error != kTktLibNoErr) {
        return ConvertTktLibError(error);
    }
    auto* copy = new (std::nothrow) cf::Value(*stored);
    if (copy == nullptr) {
        return kIOS_ErrMemory;
    }
    *array = copy;
    return kIOS_NoErr;
}

// The element at `index`, or null when the array is null or the index out of range.
const cf::Value* element(void* array, std::int32_t index) {
    const cf::Value* items = asArray(array);
    if (items == nullptr || !items->isArray() || index < 0 ||
        static_cast<std::size_t>(index) >= items->array()->size()) {
        return nullptr;
    }
    return &(*items->array())[static_cast<std::size_t>(index)];
}

}  // namespace

IOS_API uint32_t IOS_TicketCreate(void** ticket) {
    if (ticket == nullptr) {
        return kIOS_ErrParam;
    }
    *ticket = nullptr;
    TktLibTicket* created = nullptr;
    const int error = TktLibCreateTicket(&created);
    if (error == kTktLibNoErr) {
        *ticket = created;
    }
    return ConvertTktLibError(error);
}

IOS_API uint32_t IOS_TicketDispose(void* ticket) {
    if (ticket != nullptr) {
        TktLibDisposeTicket(asTicket(ticket));
    }
    return kIOS_NoErr;
}

IOS_API uint32_t IOS_TicketSetAttribute(void* ticket, const char* key, uint32_t typeCode) {
    if (ticket == nullptr || key == nullptr) {
        return kIOS_ErrParam;
    }
    return ConvertTktLibError(
        TktLibSetAttribute(asTicket(ticket), key, LocalConvertToTktLibAttributeType(typeCode)));
}

IOS_API uint32_t IOS_TicketSet2ClassAttribute(void* ticket, const char* classKey, const char* key,
                                              uint32_t typeCode) {
    if (ticket == nullptr || classKey == nullptr || key == nullptr) {
        return kIOS_ErrParam;
    }
    return ConvertTktLibError(TktLibSet2ClassAttribute(
        asTicket(ticket), classKey, key, LocalConvertToTktLibAttributeType(typeCode)));
}

IOS_API uint32_t IOS_TicketSetCString(void* ticket, const char* key, const char* string) {
    if (ticket == nullptr || key == nullptr || string == nullptr) {
        return kIOS_ErrParam;
    }
    return ConvertTktLibError(TktLibSetCString(asTicket(ticket), key, string));
}

IOS_API uint32_t IOS_TicketSetSInt32(void* ticket, const char* key, int32_t value) {
    if (ticket == nullptr || key == nullptr) {
        return kIOS_ErrParam;
    }
    return ConvertTktLibError(TktLibSetSInt32(asTicket(ticket), key, value));
}

IOS_API uint32_t IOS_TicketSetBoolean(void* ticket, const char* key, uint8_t value) {
    if (ticket == nullptr || key == nullptr) {
        return kIOS_ErrParam;
    }
    const std::uint32_t number = value == 1 ? kTktLibBooleanTrue : kTktLibBooleanFalse;
    return ConvertTktLibError(TktLibSetBoolean(asTicket(ticket), key, number));
}

IOS_API uint32_t IOS_TicketSetData(void* ticket, const char* key, const void* bytes,
                                   int32_t length) {
    if (ticket == nullptr || key == nullptr) {
        return kIOS_ErrParam;
    }
    if (length < 0) {
        return kIOS_ErrMemory;
    }
    if (bytes == nullptr && length > 0) {
        return kIOS_ErrParam;
    }
    const cf::Value data = cf::Value::data(bytes, static_cast<std::size_t>(length));
    return ConvertTktLibError(TktLibSetCFData(asTicket(ticket), key, &data));
}

IOS_API uint32_t IOS_TicketSetSInt32Array(void* ticket, const char* key, const int32_t* values,
                                          int32_t count) {
    if (ticket == nullptr || key == nullptr || count < 0 || (values == nullptr && count > 0)) {
        return kIOS_ErrParam;
    }
    cf::Value array = cf::Value::emptyArray();
    for (int32_t i = 0; i < count; ++i) {
        array.append(cf::Value(values[i]));
    }
    return ConvertTktLibError(TktLibSetCFArray(asTicket(ticket), key, &array));
}

IOS_API uint32_t IOS_TicketGetCString(void* ticket, const char* key, char* buffer, uint32_t size) {
    if (ticket == nullptr || key == nullptr || buffer == nullptr) {
        return kIOS_ErrParam;
    }
    return ConvertTktLibError(TktLibGetCString(asTicket(ticket), key, buffer, size));
}

IOS_API uint32_t IOS_TicketGetSInt32(void* ticket, const char* key, int32_t* value) {
    if (ticket == nullptr || key == nullptr || value == nullptr) {
        return kIOS_ErrParam;
    }
    return ConvertTktLibError(TktLibGetSInt32(asTicket(ticket), key, value));
}

IOS_API uint32_t IOS_TicketGetBoolean(void* ticket, const char* key, uint8_t* value) {
    return getBoolean(asTicket(ticket), nullptr, key, value);
}

IOS_API uint32_t IOS_TicketGetData(void* ticket, const char* key, void* buffer, uint32_t* length) {
    return getData(asTicket(ticket), nullptr, key, buffer, length);
}

IOS_API uint32_t IOS_TicketGetArray(void* ticket, const char* key, void** array) {
    return getArray(asTicket(ticket), nullptr, key, array);
}

IOS_API uint32_t IOS_TicketGet2ClassCString(void* ticket, const char* classKey, const char* key,
                                            char* buffer, uint32_t size) {
    if (ticket == nullptr || classKey == nullptr || key == nullptr || buffer == nullptr) {
        return kIOS_ErrParam;
    }
    return ConvertTktLibError(
        TktLibGet2ClassCString(asTicket(ticket), classKey, key, buffer, size));
}

IOS_API uint32_t IOS_TicketGet2ClassSInt32(void* ticket, const char* classKey, const char* key,
                                           int32_t* value) {
    if (ticket == nullptr || classKey == nullptr || key == nullptr || value == nullptr) {
        return kIOS_ErrParam;
    }
    return ConvertTktLibError(TktLibGet2ClassSInt32(asTicket(ticket), classKey, key, value));
}

IOS_API uint32_t IOS_TicketGet2ClassBoolean(void* ticket, const char* classKey, const char* key,
                                            uint8_t* value) {
    if (classKey == nullptr) {
        return kIOS_ErrParam;
    }
    return getBoolean(asTicket(ticket), classKey, key, value);
}

IOS_API uint32_t IOS_TicketGet2ClassData(void* ticket, const char* classKey, const char* key,
                                         void* buffer, uint32_t* length) {
    if (classKey == nullptr) {
        return kIOS_ErrParam;
    }
    return getData(asTicket(ticket), classKey, key, buffer, length);
}

IOS_API uint32_t IOS_TicketGet2ClassArray(void* ticket, const char* classKey, const char* key,
                                          void** array) {
    if (classKey == nullptr) {
        return kIOS_ErrParam;
    }
    return getArray(asTicket(ticket), classKey, key, array);
}

IOS_API int32_t IOS_ArrayGetCount(void* array) {
    const cf::Value* items = asArray(array);
    return items != nullptr && items->isArray() ? static_cast<int32_t>(items->array()->size()) : 0;
}

IOS_API uint32_t IOS_ArrayGetCString(void* array, int32_t index, char* buffer, uint32_t size) {
    const cf::Value* item = element(array, index);
    if (item == nullptr || buffer == nullptr) {
        return kIOS_ErrParam;
    }
    return ConvertTktLibError(tktlib::readCString(*item, buffer, size));
}

IOS_API uint32_t IOS_ArrayGetSInt32(void* array, int32_t index, int32_t* value) {
    const cf::Value* item = element(array, index);
    if (item == nullptr || value == nullptr) {
        return kIOS_ErrParam;
    }
    return ConvertTktLibError(tktlib::readSInt32(*item, value));
}

IOS_API uint32_t IOS_ArrayGetBoolean(void* array, int32_t index, uint8_t* value) {
    const cf::Value* item = element(array, index);
    if (item == nullptr || value == nullptr) {
        return kIOS_ErrParam;
    }
    std::uint32_t number = 0;
    if (const int error = TktLibConvertCFStringToBooleanNum(item, &number); error != kTktLibNoErr) {
        return ConvertTktLibError(error);
    }
    *value = booleanByte(number);
    return kIOS_NoErr;
}

IOS_API uint32_t IOS_ArrayGetData(void* array, int32_t index, void* buffer, uint32_t* length) {
    const cf::Value* item = element(array, index);
    if (item == nullptr) {
        return kIOS_ErrParam;
    }
    return LocalGetData(item, buffer, length);
}

IOS_API uint32_t IOS_ArrayDispose(void* array) {
    delete asArray(array);
    return kIOS_NoErr;
}
