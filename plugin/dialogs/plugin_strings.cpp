#include "dialogs/plugin_strings.h"

#include "helpers/bundle_string.h"

namespace dialogs {

std::string PlugInStrings::text(std::string_view key) const {
    return CopyLocalizedString(bundle_.get(), std::string(key).c_str());
}

}  // namespace dialogs
