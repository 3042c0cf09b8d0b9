// Settings property lists to files, replaced atomically.
#include "settings/property_list_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

#include "cf/property_list.h"
#include "settings/settings_codes.h"

namespace {

// False when the file exists but could not be opened for writing: a user who made a settings
// file read-only, or a locked file, keeps it as it is.
bool mayReplace(const std::filesystem::path& path) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        return errno == ENOENT;
    }
    ::close(fd);
    return true;
}

}  // namespace

std::int32_t setDicNumber(cf::Value* dict, const void* value, std::int32_t numberType,
                          const char* key) {
    if (dict == nullptr || value == nullptr || key == nullptr) {
        return 0;
    }
    switch (numberType) {
        case kNumberSInt16:
            dict->set(key, cf::Value(std::int32_t{*static_cast<const std::int16_t*>(value)}));
            break;
        case kNumberSInt32:
            dict->set(key, cf::Value(*static_cast<const std::int32_t*>(value)));
            break;
        default:
            break;
    }
    return 0;
}

std::int32_t WritePropertyListToFile(const cf::Value* plist, const std::filesystem::path* url) {
    if (plist == nullptr || url == nullptr || plist->isNull() || url->empty()) {
        return kSettingsBadArgument;
    }
    if (!mayReplace(*url)) {
        return kSettingsNotWritten;
    }
    return cf::writePropertyListFile(*url, *plist, cf::PropertyListFormat::Xml) ==
                   cf::PlistStatus::Ok
               ? 0
               : kSettingsNotWritten;
}
