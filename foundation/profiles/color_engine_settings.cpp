#include "profiles/color_engine_settings.h"

#include <system_error>

#include "cf/folders.h"
#include "cf/property_list.h"

namespace {

constexpr int kColorModes[] = {1, 3, 4};
// Answer of the settings check when the file cannot be read or written.
constexpr bool kUnreadableAnswer = true;

}  // namespace

bool Check_BPCValueFromPlist(bool write, bool value) {
    const std::filesystem::path folder = cf::Folders::preferences();
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error) {
        return kUnreadableAnswer;
    }
    const std::filesystem::path file = folder / kColorEngineSettingsFile;
    if (!std::filesystem::exists(file, error)) {
        cf::Value settings = cf::Value::emptyDictionary();
        settings.set(kBlackPointCompensationKey, cf::Value(value));
        settings.set(kDitherKey, cf::Value(true));
        return cf::writePropertyListFile(file, settings) == cf::PlistStatus::Ok ? value
                                                                                : kUnreadableAnswer;
    }
    cf::Value settings;
    if (cf::readPropertyListFile(file, settings) != cf::PlistStatus::Ok ||
        !settings.isDictionary()) {
        return kUnreadableAnswer;
    }
    if (!write) {
        const cf::Value* current = settings.find(kBlackPointCompensationKey);
        return current == nullptr || current->boolean() != std::optional<bool>(false);
    }
    settings.set(kBlackPointCompensationKey, cf::Value(value));
    return cf::writePropertyListFile(file, settings) == cf::PlistStatus::Ok ? value
                                                                            : kUnreadableAnswer;
}

bool isAdobeCMMInstalled() {
    return false;
}

int CheckColor(int mode) {
    for (const int colorMode : kColorModes) {
        if (mode == colorMode) {
            return 1;
        }
    }
    return 0;
}
