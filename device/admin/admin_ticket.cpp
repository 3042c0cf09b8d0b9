// Reading request inputs and writing answers for the administration request handlers.
#include <cstring>

#include "admin/admin_internal.h"
#include "core/core_error.h"
#include "core/core_strings.h"

namespace admin {
namespace {

constexpr std::uint8_t kByteOrderMark[] = {0xEF, 0xBB, 0xBF};
// What an empty name from the printer is answered as.
constexpr char kUnknownText[] = "UNKNOWN";

std::uint32_t ticketCode(int error) {
    return ConvertTktLibErrToCoreErr(error);
}

}  // namespace

std::string key(std::string_view name) {
    std::string full(kKeyPrefix);
    full.append(name);
    return full;
}

std::uint32_t glueCode(std::int32_t status) {
    return ConvertGlueErrToCoreErr(CheckQDXAErr(status));
}

bool has(const TktLibTicket& ticket, std::string_view name) {
    return ticket.find(key(name)) != nullptr;
}

bool hasAny(const TktLibTicket& ticket, std::span<const std::string_view> names) {
    for (std::string_view name : names) {
        if (has(ticket, name)) {
            return true;
        }
    }
    return false;
}

std::uint32_t readInt(const TktLibTicket& ticket, std::string_view name,
                      std::optional<std::int32_t>& value) {
    std::int32_t read = 0;
    const int error = TktLibGetSInt32(&ticket, key(name).c_str(), &read);
    if (error == kTktLibNoErr) {
        value = read;
    }
    return ticketCode(error);
}

std::uint32_t readText(const TktLibTicket& ticket, std::string_view name,
                       std::optional<std::string>& value) {
    char buffer[kTextBufferSize] = {};
    const int error = TktLibGetCString(&ticket, key(name).c_str(), buffer, sizeof buffer);
    if (error == kTktLibNoErr) {
        value = std::string(buffer, ::strnlen(buffer, kMaxTextLength));
    }
    return ticketCode(error);
}

std::uint32_t readData(const TktLibTicket& ticket, std::string_view name,
                       std::optional<cf::Value::Data>& value) {
    const cf::Value* data = nullptr;
    const int error = TktLibGetCFData(&ticket, key(name).c_str(), &data);
    if (error == kTktLibNoErr && data != nullptr && data->data() != nullptr) {
        value = *data->data();
    }
    return ticketCode(error);
}

std::uint32_t readIntArray(const TktLibTicket& ticket, std::string_view name,
                           std::optional<std::vector<std::int32_t>>& value) {
    const cf::Value* array = nullptr;
    const int error = TktLibGetCFArray(&ticket, key(name).c_str(), &array);
    if (error == kTktLibNoErr && array != nullptr && array->array() != nullptr) {
        std::vector<std::int32_t> values;
        for (const cf::Value& element : *array->array()) {
            std::int32_t number = 0;
            tktlib::readSInt32(element, &number);
            values.push_back(number);
        }
        value = std::move(values);
    }
    return ticketCode(error);
}

std::uint32_t setText(TktLibTicket& ticket, std::string_view name, const std::string& text) {
    return ticketCode(TktLibSetCString(&ticket, key(name).c_str(), text.c_str()));
}

std::uint32_t setInt(TktLibTicket& ticket, std::string_view name, std::int32_t value) {
    return ticketCode(TktLibSetSInt32(&ticket, key(name).c_str(), value));
}

std::uint32_t setBoolean(TktLibTicket& ticket, std::string_view name, std::uint32_t number) {
    return ticketCode(TktLibSetBoolean(&ticket, key(name).c_str(), number));
}

std::uint32_t setData(TktLibTicket& ticket, std::string_view name,
                      std::span<const std::uint8_t> bytes) {
    const cf::Value data = cf::Value::data(bytes.data(), bytes.size());
    return ticketCode(TktLibSetCFData(&ticket, key(name).c_str(), &data));
}

std::uint32_t setData(TktLibTicket& ticket, std::string_view name, const std::string& bytes) {
    return setData(ticket, name,
                   {reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()});
}

std::uint32_t setDataArray(TktLibTicket& ticket, std::string_view name,
                           const std::vector<std::string>& values) {
    cf::Value array = cf::Value::emptyArray();
    for (const std::string& value : values) {
        array.append(cf::Value::data(value.data(), value.size()));
    }
    return ticketCode(TktLibSetCFArray(&ticket, key(name).c_str(), &array));
}

std::uint32_t setIntArray(TktLibTicket& ticket, std::string_view name,
                          std::span<const std::int32_t> values) {
    static constexpr std::int32_t kNone = 0;
    const auto array = CreateNumberArray(values.empty() ? &kNone : values.data(),
                                         static_cast<std::int32_t>(values.size()));
    if (!array) {
        return kCoreMemErr;
    }
    return ticketCode(TktLibSetCFArray(&ticket, key(name).c_str(), &*array));
}

std::uint32_t setTextArray(TktLibTicket& ticket, std::string_view name,
                           const std::vector<std::string>& texts) {
    cf::Value array = cf::Value::emptyArray();
    for (const std::string& text : texts) {
        array.append(TktLibCreateCFDataWithCString(text.c_str()));
    }
    return ticketCode(TktLibSetCFArray(&ticket, key(name).c_str(), &array));
}

std::uint32_t setBooleanArray(TktLibTicket& ticket, std::string_view name,
                              std::span<const std::uint32_t> numbers) {
    static constexpr std::uint32_t kNone = 0;
    const auto array = CreateBooleanArray(numbers.empty() ? &kNone : numbers.data(),
                                          static_cast<std::int32_t>(numbers.size()));
    if (!array) {
        return kCoreMemErr;
    }
    return ticketCode(TktLibSetCFArray(&ticket, key(name).c_str(), &*array));
}

std::uint32_t setTicket(TktLibTicket& ticket, std::string_view name, const TktLibTicket& nested) {
    return ticketCode(TktLibSetTicket(&ticket, key(name).c_str(), &nested));
}

std::string pascalCharacters(const std::uint8_t* pascal, std::uint32_t capacity) {
    if (pascal == nullptr || capacity == 0) {
        return {};
    }
    const std::uint32_t length = std::min<std::uint32_t>(pascal[0], capacity - 1);
    return std::string(reinterpret_cast<const char*>(pascal + 1), length);
}

std::string printerText(const std::uint8_t* pascal, std::uint32_t capacity) {
    std::string text = pascalCharacters(pascal, capacity);
    if (text.size() >= sizeof kByteOrderMark &&
        std::memcmp(text.data(), kByteOrderMark, sizeof kByteOrderMark) == 0) {
        text.erase(0, sizeof kByteOrderMark);
    }
    return text;
}

std::string printerTextOrUnknown(const std::uint8_t* pascal, std::uint32_t capacity) {
    std::string text = printerText(pascal, capacity);
    return text.empty() ? std::string(kUnknownText) : text;
}

}  // namespace admin
