// File URLs to paths.
#include "address/file_url.h"

#include <string>

namespace {

constexpr std::string_view kFileScheme = "file://";
constexpr std::string_view kLocalHost = "localhost";

int hexDigit(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

// RFC 3986 2.1: "%" followed by two hexadecimal digits stands for one byte.
std::optional<std::string> percentDecoded(std::string_view text) {
    std::string decoded;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '%') {
            decoded += text[i];
            continue;
        }
        if (text.size() - i < 3 || hexDigit(text[i + 1]) < 0 || hexDigit(text[i + 2]) < 0) {
            return std::nullopt;
        }
        decoded += static_cast<char>(hexDigit(text[i + 1]) * 16 + hexDigit(text[i + 2]));
        i += 2;
    }
    return decoded;
}

}  // namespace

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
    if (!path) {
        return std::nullopt;
    }
    return std::filesystem::path(*path);
}
