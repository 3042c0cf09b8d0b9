#include "profiles/profile_url.h"

#include <string>

std::shared_ptr<color::Profile> profileFromUrlString(std::string_view url) {
    const std::string text(url);
    if (text.starts_with('/')) {
        return color::Profile::openPath(text);
    }
    return color::Profile::openUrl(text);
}
