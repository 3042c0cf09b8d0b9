#include "profiles/profile_menu.h"

#include <string_view>
#include <vector>

#include "color/installed_profiles.h"
#include "profiles/profile_name.h"

namespace {

// What one menu item shows of a profile.
struct ProfileItem {
    std::string name;
    std::string file;
    std::string path;
    std::int32_t model;
    std::int32_t version;
};

struct PrinterProfiles {
    std::vector<ProfileItem> cmyk;
    std::vector<ProfileItem> rgb;
};

ProfileItem itemOf(const color::Profile& profile, const std::filesystem::path& file) {
    std::optional<std::string> name;
    if (profile.version() >= kProfileVersion4 || profile.manufacturer() != kMakerManufacturer) {
        name = GetLocalizedProfileName(profile);
    }
    return {name.value_or(profile.description()), file.filename().string(), file.string(),
            static_cast<std::int32_t>(profile.model()),
            static_cast<std::int32_t>(profile.version())};
}

std::int32_t append(MenuDataArray array, const ProfileItem& item) {
    return KMenu::AddMenuData2(array, item.name.c_str(), item.file.c_str(), item.path.c_str(),
                               item.model, item.version, 1);
}

// One walk over the installed profiles, keeping the items of the printer-class profiles of both
// spaces in walk order.
PrinterProfiles installedPrinterProfiles() {
    PrinterProfiles found;
    color::forEachInstalledProfile(
        [&](const color::Profile& profile, const std::filesystem::path& file) {
            if (profile.deviceClass() != color::kClassPrinter) {
                return true;
            }
            if (profile.colorSpace() == color::kSpaceCmyk) {
                found.cmyk.push_back(itemOf(profile, file));
            } else if (profile.colorSpace() == color::kSpaceRgb) {
                found.rgb.push_back(itemOf(profile, file));
            }
            return true;
        });
    return found;
}

std::int32_t itemCount(MenuDataArray array) {
    return array != nullptr && array->isArray() ? static_cast<std::int32_t>(array->array()->size())
                                                : 0;
}

void addAll(MenuDataArray array, const std::vector<ProfileItem>& items) {
    for (const ProfileItem& item : items) {
        append(array, item);
    }
}

}  // namespace

void ConstructICCPrinterProfileMenu(std::int32_t* count, MenuDataArray array) {
    addAll(array, installedPrinterProfiles().rgb);
    if (count != nullptr) {
        *count = itemCount(array);
    }
}

void ConstructProofProfileMenu(std::int32_t* count, MenuDataArray array) {
    const PrinterProfiles profiles = installedPrinterProfiles();
    addAll(array, profiles.cmyk);
    if (itemCount(array) > 0) {
        KMenu::AddMenuData2(array, kProfileMenuSeparator, kProfileMenuSeparator,
                            kProfileMenuSeparator, kProfileMenuSeparatorValue, 0, 1);
    }
    addAll(array, profiles.rgb);
    if (count != nullptr) {
        *count = itemCount(array);
    }
}

std::int32_t AddProfile(MenuDataArray array, const color::Profile& profile,
                        const std::filesystem::path& file) {
    return append(array, itemOf(profile, file));
}

int GetProfileNameAndPathFromFileName_AllSerch(const char* fileName, std::string* name,
                                               std::string* path) {
    if (fileName == nullptr || name == nullptr || path == nullptr) {
        return 0;
    }
    MenuDataArray menu = nullptr;
    if (KMenu::NewMenuData(&menu) != 0) {
        return 0;
    }
    std::int32_t count = 0;
    ConstructProofProfileMenu(&count, menu);
    int found = 0;
    for (std::int32_t index = 1; index <= count && found == 0; ++index) {
        const char* itemName = nullptr;
        const char* itemFile = nullptr;
        const char* itemPath = nullptr;
        std::int32_t value1 = 0;
        std::int32_t value2 = 0;
        bool enabled = false;
        KMenu::GetMenuData2(menu, &itemName, &itemFile, &itemPath, &value1, &value2, &enabled,
                            index);
        if (itemFile != nullptr && std::string_view(itemFile) == fileName) {
            *name = itemName != nullptr ? itemName : "";
            *path = itemPath != nullptr ? itemPath : "";
            found = 1;
        }
    }
    KMenu::DisposeMenuData(&menu);
    return found;
}
