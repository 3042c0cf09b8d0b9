#include "helpers/kdict.h"

#include <cstdio>
#include <limits>

#include "cf/property_list.h"

namespace {

const cf::Value* lookUp(const cf::Value* dict, const char* key) {
    return dict->isDictionary() ? dict->find(key) : nullptr;
}

template <typename Int>
std::int32_t getInteger(const cf::Value* dict, const char* key, Int* n) {
    if (n != nullptr) {
        *n = 0;
    }
    if (dict == nullptr || key == nullptr || n == nullptr) {
        return kDict::kBadArgument;
    }
    const cf::Value* value = lookUp(dict, key);
    if (value == nullptr) {
        return kDict::kMissing;
    }
    std::optional<std::int64_t> number = value->integer();
    // A real converts truncated when its whole part fits 64 bits (NaN never does).
    constexpr double kInt64Limit = 0x1p63;
    if (const double real = value->real().value_or(0);
        !number && value->isReal() && real > -kInt64Limit && real < kInt64Limit) {
        number = static_cast<std::int64_t>(real);
    }
    if (!number || *number < std::numeric_limits<Int>::min() ||
        *number > std::numeric_limits<Int>::max()) {
        return kDict::kWrongType;
    }
    *n = static_cast<Int>(*number);
    return 0;
}

// Strings, dictionaries and arrays: the value when present and of the asked type.
template <typename Out>
std::int32_t getTyped(const cf::Value* dict, const char* key, const Out** out,
                      bool (cf::Value::*isType)() const, const Out* (*extract)(const cf::Value&)) {
    if (out != nullptr) {
        *out = nullptr;
    }
    if (dict == nullptr || key == nullptr || out == nullptr) {
        return kDict::kBadArgument;
    }
    const cf::Value* value = lookUp(dict, key);
    if (value == nullptr) {
        return kDict::kBadArgument;
    }
    if (!(value->*isType)()) {
        return kDict::kWrongType;
    }
    *out = extract(*value);
    return 0;
}

}  // namespace

std::int32_t kDict::CreatePropertyListFromFile(const std::filesystem::path* url, cf::Value* plist) {
    if (plist != nullptr) {
        *plist = cf::Value();
    }
    if (url == nullptr || plist == nullptr) {
        return kBadArgument;
    }
    cf::Value parsed;
    const cf::PlistStatus status = cf::readPropertyListFile(*url, parsed);
    if (status == cf::PlistStatus::FileError) {
        return 0;
    }
    if (status != cf::PlistStatus::Ok) {
        return kMissing;
    }
    *plist = std::move(parsed);
    return 0;
}

std::int32_t kDict::DictGetInt(const cf::Value* dict, const char* key, std::int32_t* n) {
    const std::int32_t result = getInteger(dict, key, n);
    if (result != 0) {
        std::printf("DictGetInt: %s\n", key == nullptr ? "(null)" : key);
    }
    return result;
}

std::int32_t kDict::DictGetSInt16(const cf::Value* dict, const char* key, std::int16_t* n) {
    return getInteger(dict, key, n);
}

std::int32_t kDict::DictGetSInt32(const cf::Value* dict, const char* key, std::int32_t* n) {
    return getInteger(dict, key, n);
}

std::int32_t kDict::DictGetDouble(const cf::Value* dict, const char* key, double* x) {
    if (x == nullptr) {
        return 0;
    }
    *x = 0;
    const cf::Value* value = dict == nullptr || key == nullptr ? nullptr : lookUp(dict, key);
    if (value != nullptr) {
        *x = value->real().value_or(0);
    }
    return 0;
}

std::int32_t kDict::DictGetBoolean(const cf::Value* dict, const char* key, bool* b) {
    if (b != nullptr) {
        *b = false;
    }
    if (dict == nullptr || key == nullptr || b == nullptr) {
        return kBadArgument;
    }
    const cf::Value* value = lookUp(dict, key);
    if (value == nullptr) {
        return kBadArgument;
    }
    *b = value->boolean().value_or(false);
    return 0;
}

std::int32_t kDict::DictGetCFString(const cf::Value* dict, const char* key,
                                    const std::string** value) {
    return getTyped<std::string>(dict, key, value, &cf::Value::isString,
                                 [](const cf::Value& v) { return v.string(); });
}

std::int32_t kDict::DictGetCFDictionaryRef(const cf::Value* dict, const char* key,
                                           const cf::Value** value) {
    return getTyped<cf::Value>(dict, key, value, &cf::Value::isDictionary,
                               [](const cf::Value& v) { return &v; });
}

std::int32_t kDict::DictGetCFArrayRef(const cf::Value* dict, const char* key,
                                      const cf::Value** value) {
    return getTyped<cf::Value>(dict, key, value, &cf::Value::isArray,
                               [](const cf::Value& v) { return &v; });
}
