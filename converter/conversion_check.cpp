#include "conversion_check.h"

#include "cf/regular_file.h"
#include "helpers/kdict.h"

bool isGoodNewFile(const std::filesystem::path& path) {
    cf::Value plist;
    return kDict::CreatePropertyListFromFile(&path, &plist) == 0 && !plist.isNull();
}

bool mustConvert(const std::filesystem::path& folder, const char* newName, const char* oldName) {
    if (isGoodNewFile(folder / newName)) {
        return false;
    }
    return cf::regularFileSize(folder / oldName).has_value();
}
