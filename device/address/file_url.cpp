// File URLs to paths.
#include "address/file_url.h"

#include <utility>

#include "transport/percent_decoding.h"

namespace {

constexpr std::string_view kFileScheme = "file://";
constexpr std::string_view kLocalHost = "localhost";

}  // namespace

namespace device {

std::optional<std::filesystem::path> PathFromFileURL(std::string_view fileURL) {
    if (fileURL.empty()) {
        return std::nullopt;
    }
    if (!fileURL.starts_with(kFileScheme)) {
        return std::filesystem::path(fileURL);
    }
    std::string_view rest = fileURL.substr(kFileScheme.size());
    if (rest.starts_with(kLocalHost)) {
        rest.remove_prefix(kLocalHost.size());
    }
    if (!rest.starts_with('/')) {
        return std::nullopt;
    }
    auto path = percentDecoded(rest);
    if (path.malformed) {
        return std::nullopt;
    }
    return std::filesystem::path(std::move(path.text));
}

}  // namespace device
