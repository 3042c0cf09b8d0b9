// Typed reads from property-list dictionaries and property-list files. Misses give -1 (missing),
// -2 (another type) or -50 (bad argument) and leave zero or null outputs.
#pragma once

#include <cstdint>
#include <filesystem>

#include "cf/value.h"

class kDict {
  public:
    static constexpr std::int32_t kMissing = -1;
    static constexpr std::int32_t kWrongType = -2;
    static constexpr std::int32_t kBadArgument = -50;

    /// 0 with the list; -1 when the file opens but does not parse; 0 and a null list when the
    /// file cannot be opened.
    static std::int32_t CreatePropertyListFromFile(const std::filesystem::path* url,
                                                   cf::Value* plist);

    static std::int32_t DictGetInt(const cf::Value* dict, const char* key, std::int32_t* n);
    static std::int32_t DictGetSInt16(const cf::Value* dict, const char* key, std::int16_t* n);
    static std::int32_t DictGetSInt32(const cf::Value* dict, const char* key, std::int32_t* n);
    static std::int32_t DictGetDouble(const cf::Value* dict, const char* key, double* x);
    static std::int32_t DictGetBoolean(const cf::Value* dict, const char* key, bool* b);
    static std::int32_t DictGetCFString(const cf::Value* dict, const char* key,
                                        const std::string** value);
    static std::int32_t DictGetCFDictionaryRef(const cf::Value* dict, const char* key,
                                               const cf::Value** value);
    static std::int32_t DictGetCFArrayRef(const cf::Value* dict, const char* key,
                                          const cf::Value** value);
};
