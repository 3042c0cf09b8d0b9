#include "conversion_check.h"

#include "helpers/kdict.h"
#include "old_file.h"

bool isGoodNewFile(const std::filesystem::path& path) {
    cf::Value plist;
    return kDict::CreatePropertyListFromFile(&path, &plist) == 0 && !plist.isNull();
}

bool mustConvert(const std::filesystem::path& folder, const char* newName, const char* oldName) {
    if (isGoodNewFile(folder / newName)) {
        return false;
    }
    return converter::oldFileSize(folder / oldName).has_value();
}
