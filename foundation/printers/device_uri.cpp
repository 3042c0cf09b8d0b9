// Device URIs of print queues: their URL type, connection kind and printer name.
#include <algorithm>
#include <array>
#include <cctype>
#include <utility>

#include "printers/make_printer_list.h"

namespace {

constexpr std::string_view kMakerBackend = "tarnbe";
constexpr std::string_view kSchemeEnd = "://";
constexpr std::string_view kPathStart = "/";
constexpr std::string_view kServiceStart = "._";
constexpr std::string_view kUsbNameStart = "://Orvane/";
constexpr std::string_view kUsbNameEnd = "?serial";
constexpr std::string_view kIpv6NameStart = "//%5b";
constexpr std::string_view kIpv6NameEnd = "%5d/";
constexpr std::string_view kOpenBracket = "%5b";
constexpr std::string_view kCloseBracket = "%5d";
constexpr std::size_t kLongestName = 511;

// The maker's backend names the connection in an option; the longer "?ipv6" before "?ip".
constexpr std::array<std::pair<std::string_view, UrlType>, 5> kBackendOptions{{
    {"?usb", kUrlUsb},
    {"?fw", kUrlFireWire},
    {"?ipv6", kUrlIpv6},
    {"?ip", kUrlIp},
    {"?bon", kUrlBonjour},
}};

// Escapes decoded in printer names; the longer "%2520" (an escaped "%20") before "%25".
constexpr std::array<std::pair<std::string_view, char>, 7> kNameEscapes{{
    {"%2520", ' '},
    {"%20", ' '},
    {"%3a", ':'},
    {"%3A", ':'},
    {"%25", '%'},
    {"%28", '('},
    {"%29", ')'},
}};

bool sameLetters(char a, char b) {
    return std::tolower(static_cast<unsigned char>(a)) ==
           std::tolower(static_cast<unsigned char>(b));
}

// Position of `part` in `text` from `from` on, ignoring case; npos when absent.
std::size_t findIgnoringCase(std::string_view text, std::string_view part, std::size_t from = 0) {
    if (from > text.size()) {
        return std::string_view::npos;
    }
    const auto found = std::search(text.begin() + static_cast<std::ptrdiff_t>(from), text.end(),
                                   part.begin(), part.end(), sameLetters);
    return found == text.end() && !part.empty() ? std::string_view::npos
                                                : static_cast<std::size_t>(found - text.begin());
}

bool containsIgnoringCase(std::string_view text, std::string_view part) {
    return findIgnoringCase(text, part) != std::string_view::npos;
}

// The text between the first `start` and the next `end` after it. Percent escapes are matched
// ignoring case, as URIs allow either case of their hex digits.
std::optional<std::string_view> between(std::string_view uri, std::string_view start,
                                        std::string_view end, bool ignoreCase) {
    const auto find = [&](std::string_view part, std::size_t from) {
        return ignoreCase ? findIgnoringCase(uri, part, from) : uri.find(part, from);
    };
    const std::size_t first = find(start, 0);
    if (first == std::string_view::npos) {
        return std::nullopt;
    }
    const std::size_t textStart = first + start.size();
    const std::size_t last = find(end, textStart);
    if (last == std::string_view::npos) {
        return std::nullopt;
    }
    return uri.substr(textStart, last - textStart);
}

std::string decodedName(std::string_view text) {
    std::string name;
    for (std::size_t i = 0; i < text.size();) {
        const auto escape = std::find_if(
            kNameEscapes.begin(), kNameEscapes.end(),
            [&](const auto& entry) { return text.substr(i).starts_with(entry.first); });
        if (escape != kNameEscapes.end()) {
            name += escape->second;
            i += escape->first.size();
        } else {
            name += text[i++];
        }
    }
    if (name.size() > kLongestName) {
        // Cut at a character boundary, never inside a UTF-8 sequence.
        std::size_t cut = kLongestName;
        while (cut > 0 && (static_cast<unsigned char>(name[cut]) & 0xC0) == 0x80) {
            --cut;
        }
        name.resize(cut);
    }
    return name;
}

}  // namespace

UrlType kMakePrinterList_ZORVEX_common_V600_PS::getUrlType(std::string_view uri,
                                                           std::int32_t useBackend) {
    if (containsIgnoringCase(uri, kMakerBackend)) {
        for (const auto& [option, type] : kBackendOptions) {
            if (containsIgnoringCase(uri, option)) {
                return type;
            }
        }
        return kUrlUnusable;
    }
    const bool throughBackend = useBackend == kThroughMakersBackend;
    if (containsIgnoringCase(uri, "usb:")) {
        return throughBackend ? kUrlUnusable : kUrlUsb;
    }
    if (containsIgnoringCase(uri, "lpd:")) {
        return containsIgnoringCase(uri, kOpenBracket) && containsIgnoringCase(uri, kCloseBracket)
                   ? kUrlIpv6
                   : kUrlIp;
    }
    if (containsIgnoringCase(uri, "mdns:")) {
        return throughBackend ? kUrlUnusable : kUrlBonjour;
    }
    if (containsIgnoringCase(uri, "dnssd:")) {
        return throughBackend ? kUrlUnusable : kUrlDnsSd;
    }
    return kUrlUnusable;
}

ConnectKind kMakePrinterList_ZORVEX_common_V600_PS::getConnectType(std::int32_t urlType) {
    switch (urlType) {
        case kUrlBonjour:
            return kConnectBonjour;
        case kUrlDnsSd:
            return kConnectDnsSd;
        case kUrlUsb:
            return kConnectUsb;
        case kUrlIpv6:
            return kConnectIpv6;
        case kUrlFireWire:
            return kConnectFireWire;
        default:
            return kConnectIp;
    }
}

std::optional<std::string> kMakePrinterList_ZORVEX_common_V600_PS::getPrinterNameFromDeviceURI(
    std::string_view uri, std::int32_t useBackend) {
    std::optional<std::string_view> text;
    if (containsIgnoringCase(uri, kMakerBackend)) {
        text = between(uri, kSchemeEnd, kPathStart, false);
    } else {
        switch (getUrlType(uri, useBackend)) {
            case kUrlUnusable:
                return std::nullopt;
            case kUrlBonjour:
            case kUrlDnsSd:
                text = between(uri, kSchemeEnd, kServiceStart, false);
                break;
            case kUrlUsb:
                text = between(uri, kUsbNameStart, kUsbNameEnd, false);
                break;
            case kUrlIpv6:
                text = between(uri, kIpv6NameStart, kIpv6NameEnd, true);
                break;
            default:
                text = between(uri, kSchemeEnd, kPathStart, false);
        }
    }
    if (!text || text->empty()) {
        return std::nullopt;
    }
    return decodedName(*text);
}
