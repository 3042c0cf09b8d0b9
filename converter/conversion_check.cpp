#include "conversion_check.h"

#include <system_error>

#include "helpers/kdict.h"

bool isGoodNewFile(const std::filesystem::path& path) {
    cf::Value plist;
    return kDict::CreatePropertyListFromFile(&path, &plist) == 0 && !plist.isNull();
}

bool mustConvert(const std::filesystem::path& folder, const char* newName, const char* oldName) {
    if (isGoodNewFile(folder / newName)) {
        return false;
    }
    std::error_code ignored;
    return std::filesystem::exists(folder / oldName, ignored);
}
