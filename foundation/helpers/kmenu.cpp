#include "helpers/kmenu.h"

#include <array>
#include <new>
#include <string>

namespace {

constexpr int kShape3Strings = 8;
const std::array<const char*, 3> kValueKeys{"menuValue1", "menuValue2", "menuValue3"};
const std::array<const char*, kShape3Strings> kStringKeys{"cf_string1", "cf_string2", "cf_string3",
                                                          "cf_string4", "cf_string5", "cf_string6",
                                                          "cf_string7", "cf_string8"};

cf::Value itemWith(std::int32_t enable) {
    cf::Value item = cf::Value::emptyDictionary();
    item.set("menuEnable", cf::Value(enable == 1));
    return item;
}

std::int32_t append(MenuDataArray array, cf::Value item, const cf::Value::Array::size_type* at) {
    try {
        cf::Value::Array& items = *array->array();
        if (at != nullptr) {
            items.insert(items.begin() + static_cast<std::ptrdiff_t>(std::min(*at, items.size())),
                         std::move(item));
        } else {
            items.push_back(std::move(item));
        }
    } catch (const std::bad_alloc&) {
        return KMenu::kOutOfMemory;
    }
    return 0;
}

bool isMenu(MenuDataArray array) {
    return array != nullptr && array->isArray();
}

// The item at a 1-based index, or null outside the array.
const cf::Value* itemAt(MenuDataArray array, std::int32_t index) {
    const cf::Value::Array& items = *array->array();
    if (index < 1 || static_cast<std::size_t>(index) > items.size()) {
        return nullptr;
    }
    return &items[static_cast<std::size_t>(index) - 1];
}

std::int32_t numberOf(const cf::Value& item, const char* key) {
    const cf::Value* value = item.find(key);
    const auto number = value == nullptr ? std::nullopt : value->integer();
    return number ? static_cast<std::int32_t>(*number) : 0;
}

const char* stringOf(const cf::Value& item, const char* key) {
    const cf::Value* value = item.find(key);
    const std::string* text = value == nullptr ? nullptr : value->string();
    return text == nullptr ? nullptr : text->c_str();
}

void readEnable(const cf::Value& item, bool* enable) {
    const cf::Value* value = item.find("menuEnable");
    if (enable != nullptr && value != nullptr) {
        *enable = value->boolean().value_or(false);
    }
}

template <typename T>
void clear(T* out, T empty) {
    if (out != nullptr) {
        *out = empty;
    }
}

std::int32_t addShape1(MenuDataArray array, const cf::Value::Array::size_type* at, const char* name,
                       std::int32_t value1, std::int32_t value2, std::int32_t value3,
                       std::int32_t enable) {
    if (!isMenu(array) || name == nullptr) {
        return KMenu::kBadArgument;
    }
    cf::Value item = itemWith(enable);
    item.set("menuName", cf::Value(name));
    const std::array<std::int32_t, 3> values{value1, value2, value3};
    for (std::size_t i = 0; i < values.size(); ++i) {
        item.set(kValueKeys[i], cf::Value(values[i]));
    }
    return append(array, std::move(item), at);
}

}  // namespace

std::int32_t KMenu::NewMenuData(MenuDataArray* array) {
    if (array == nullptr || *array != nullptr) {
        return kBadArgument;
    }
    *array = new (std::nothrow) cf::Value(cf::Value::emptyArray());
    return *array == nullptr ? kOutOfMemory : 0;
}

std::int32_t KMenu::DisposeMenuData(MenuDataArray* array) {
    if (array != nullptr) {
        delete *array;
        *array = nullptr;
    }
    return 0;
}

std::int32_t KMenu::AddMenuData(MenuDataArray array, const char* name, std::int32_t value1,
                                std::int32_t value2, std::int32_t value3, std::int32_t enable) {
    return addShape1(array, nullptr, name, value1, value2, value3, enable);
}

std::int32_t KMenu::InsertMenuData(MenuDataArray array, std::int32_t index, const char* name,
                                   std::int32_t value1, std::int32_t value2, std::int32_t value3,
                                   std::int32_t enable) {
    const cf::Value::Array::size_type at = index < 0 ? 0 : static_cast<std::size_t>(index);
    return addShape1(array, &at, name, value1, value2, value3, enable);
}

std::int32_t KMenu::AddMenuData2(MenuDataArray array, const char* string1, const char* string2,
                                 const char* string3, std::int32_t value1, std::int32_t value2,
                                 std::int32_t enable) {
    if (!isMenu(array) || string1 == nullptr || string2 == nullptr || string3 == nullptr) {
        return kBadArgument;
    }
    cf::Value item = itemWith(enable);
    const std::array<const char*, 3> strings{string1, string2, string3};
    for (std::size_t i = 0; i < strings.size(); ++i) {
        item.set(kStringKeys[i], cf::Value(strings[i]));
    }
    item.set(kValueKeys[0], cf::Value(value1));
    item.set(kValueKeys[1], cf::Value(value2));
    return append(array, std::move(item), nullptr);
}

std::int32_t KMenu::AddMenuData3(MenuDataArray array, const char* const strings[8],
                                 std::int32_t value1, std::int32_t enable) {
    if (!isMenu(array) || strings == nullptr) {
        return kBadArgument;
    }
    cf::Value item = itemWith(enable);
    for (int i = 0; i < kShape3Strings; ++i) {
        if (strings[i] == nullptr) {
            return kBadArgument;
        }
        item.set(kStringKeys[i], cf::Value(strings[i]));
    }
    item.set(kValueKeys[0], cf::Value(value1));
    return append(array, std::move(item), nullptr);
}

std::int32_t KMenu::GetMenuData(MenuDataArray array, const char** name, std::int32_t* value1,
                                std::int32_t* value2, std::int32_t* value3, bool* enable,
                                std::int32_t index) {
    clear<const char*>(name, nullptr);
    std::array<std::int32_t*, 3> values{value1, value2, value3};
    for (auto* value : values) {
        clear<std::int32_t>(value, 0);
    }
    if (!isMenu(array)) {
        return kBadArgument;
    }
    const cf::Value* item = itemAt(array, index);
    if (item == nullptr) {
        return 0;
    }
    clear(name, stringOf(*item, "menuName"));
    for (std::size_t i = 0; i < values.size(); ++i) {
        clear(values[i], numberOf(*item, kValueKeys[i]));
    }
    readEnable(*item, enable);
    return 0;
}

std::int32_t KMenu::GetMenuData2(MenuDataArray array, const char** string1, const char** string2,
                                 const char** string3, std::int32_t* value1, std::int32_t* value2,
                                 bool* enable, std::int32_t index) {
    std::array<const char**, 3> strings{string1, string2, string3};
    for (auto* string : strings) {
        clear<const char*>(string, nullptr);
    }
    clear<std::int32_t>(value1, 0);
    clear<std::int32_t>(value2, 0);
    if (!isMenu(array)) {
        return kBadArgument;
    }
    const cf::Value* item = itemAt(array, index);
    if (item == nullptr) {
        return 0;
    }
    for (std::size_t i = 0; i < strings.size(); ++i) {
        clear(strings[i], stringOf(*item, kStringKeys[i]));
    }
    clear(value1, numberOf(*item, kValueKeys[0]));
    clear(value2, numberOf(*item, kValueKeys[1]));
    readEnable(*item, enable);
    return 0;
}

std::int32_t KMenu::GetMenuData3(MenuDataArray array, const char* strings[8], std::int32_t* value1,
                                 bool* enable, std::int32_t index) {
    for (int i = 0; strings != nullptr && i < kShape3Strings; ++i) {
        strings[i] = nullptr;
    }
    clear<std::int32_t>(value1, 0);
    if (!isMenu(array)) {
        return kBadArgument;
    }
    const cf::Value* item = itemAt(array, index);
    if (item == nullptr) {
        return 0;
    }
    for (int i = 0; strings != nullptr && i < kShape3Strings; ++i) {
        strings[i] = stringOf(*item, kStringKeys[i]);
    }
    clear(value1, numberOf(*item, kValueKeys[0]));
    readEnable(*item, enable);
    return 0;
}

std::int32_t KMenu::GetMenuIndexFromValue(MenuDataArray array, std::int32_t value1,
                                          std::int32_t value2) {
    if (!isMenu(array)) {
        return kBadArgument;
    }
    const cf::Value::Array& items = *array->array();
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (numberOf(items[i], kValueKeys[0]) == value1 &&
            numberOf(items[i], kValueKeys[1]) == value2) {
            return static_cast<std::int32_t>(i + 1);
        }
    }
    return 0;
}
