// The menu data arrays behind every pop-up menu: an array of dictionaries, one per item, in three
// shapes, addressed from 1. Strings handed out by the readers point into the array.
#pragma once

#include <cstdint>
#include <memory>

#include "cf/value.h"

using MenuDataArray = cf::Value*;

class KMenu {
  public:
    static constexpr std::int32_t kBadArgument = -50;
    static constexpr std::int32_t kOutOfMemory = -108;

    static std::int32_t NewMenuData(MenuDataArray* array);
    static std::int32_t DisposeMenuData(MenuDataArray* array);

    static std::int32_t AddMenuData(MenuDataArray array, const char* name, std::int32_t value1,
                                    std::int32_t value2, std::int32_t value3, std::int32_t enable);
    static std::int32_t InsertMenuData(MenuDataArray array, std::int32_t index, const char* name,
                                       std::int32_t value1, std::int32_t value2,
                                       std::int32_t value3, std::int32_t enable);
    static std::int32_t AddMenuData2(MenuDataArray array, const char* string1, const char* string2,
                                     const char* string3, std::int32_t value1, std::int32_t value2,
                                     std::int32_t enable);
    static std::int32_t AddMenuData3(MenuDataArray array, const char* const strings[8],
                                     std::int32_t value1, std::int32_t enable);

    static std::int32_t GetMenuData(MenuDataArray array, const char** name, std::int32_t* value1,
                                    std::int32_t* value2, std::int32_t* value3, bool* enable,
                                    std::int32_t index);
    static std::int32_t GetMenuData2(MenuDataArray array, const char** string1,
                                     const char** string2, const char** string3,
                                     std::int32_t* value1, std::int32_t* value2, bool* enable,
                                     std::int32_t index);
    static std::int32_t GetMenuData3(MenuDataArray array, const char* strings[8],
                                     std::int32_t* value1, bool* enable, std::int32_t index);

    /// 1-based index of the first item with both values; 0 when none; -50 for no array.
    static std::int32_t GetMenuIndexFromValue(MenuDataArray array, std::int32_t value1,
                                              std::int32_t value2);
};
