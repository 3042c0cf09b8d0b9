// Device URIs: their scheme types and their translation into channel addresses (IO signatures).
#include "core/core_uri.h"

#include <algorithm>
#include <cctype>
#include <new>
#include <optional>

#include "core/core_link_local_zone.h"
#include "transport/caio_signature.h"

namespace {

struct SchemePrefix {
    std::string_view prefix;
    int type;
};

// Tested in this order; the first prefix the URI begins with decides.
constexpr SchemePrefix kSchemePrefixes[] = {
    {"usb", kSchemeTypeUSB},
    {"lpd", kSchemeTypeNetwork},
    {"socket", kSchemeTypeNetwork},
    {"ipp", kSchemeTypeNetwork},
    {"dnssd", kSchemeTypeBonjour},
    {"mdns", kSchemeTypeBonjour},
    {"vqfile", kSchemeTypeVirtual},
    {"vqip", kSchemeTypeNetwork},
    {"vqusb", kSchemeTypeVirtual},
    {"multi_usb_ncap", kSchemeTypeMultiUSB},
    {"sock_usb_ncap", kSchemeTypeSocketUSB},
    {"websrv_ncap", kSchemeTypeWebServer},
    {"websrv_wv_ncap", kSchemeTypeWebServerWv},
};

constexpr std::string_view kSchemeSeparator = "://";
constexpr std::string_view kLinkLocalPrefix = "fe80:";
// Future-format literal: "[", "v1.", the address, "+", the zone, "]".
constexpr std::string_view kFutureFormatPrefix = "v1.";
constexpr char kZoneMark = '%';
constexpr char kAlternateZoneMark = '+';
constexpr std::string_view kEncodedZoneMark = "25";

bool startsWithIgnoringCase(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() &&
           std::equal(prefix.begin(), prefix.end(), text.begin(), [](char a, char b) {
               return std::tolower(static_cast<unsigned char>(a)) ==
                      std::tolower(static_cast<unsigned char>(b));
           });
}

// The address inside the brackets with its zone; a link-local address that names no zone gets
// the library's link-local zone. Nothing when it needs one and there is none.
std::optional<std::string> ipv6Body(std::string_view rest) {
    std::string_view inner = rest.substr(1);
    inner = inner.substr(0, inner.find(']'));
    std::string_view address = inner;
    std::string_view zone;
    if (startsWithIgnoringCase(inner, kFutureFormatPrefix)) {
        const std::string_view literal = inner.substr(kFutureFormatPrefix.size());
        const std::size_t mark = literal.find(kAlternateZoneMark);
        address = literal.substr(0, mark);
        zone = mark == std::string_view::npos ? std::string_view() : literal.substr(mark + 1);
    } else if (startsWithIgnoringCase(inner, kLinkLocalPrefix)) {
        std::size_t mark = z_get_ipv6_interfaceId_top_pointer(inner, kZoneMark);
        if (mark == std::string_view::npos) {
            mark = z_get_ipv6_interfaceId_top_pointer(inner, kAlternateZoneMark);
        }
        if (mark != std::string_view::npos) {
            address = inner.substr(0, mark);
            zone = inner.substr(mark + 1);
            // RFC 6874: in a URI the zone's "%" is written percent-encoded, as "%25".
            if (inner[mark] == kZoneMark && zone.starts_with(kEncodedZoneMark)) {
                zone.remove_prefix(kEncodedZoneMark.size());
            }
        }
    } else {
        return std::string(inner);
    }
    std::string body(address);
    std::string defaultZone;
    if (zone.empty() && startsWithIgnoringCase(address, kLinkLocalPrefix)) {
        defaultZone = CoreLinkLocalZone();
        if (defaultZone.empty()) {
            return std::nullopt;
        }
        zone = defaultZone;
    }
    if (!zone.empty()) {
        body += kZoneMark;
        body += zone;
    }
    return body;
}

// The signature for the text behind "://" of a URI of the given scheme type.
std::optional<std::string> signatureFor(int schemeType, std::string_view rest) {
    switch (schemeType) {
        case kSchemeTypeUSB:
        case kSchemeTypeMultiUSB:
        case kSchemeTypeSocketUSB:
        case kSchemeTypeVirtual:
            return std::string(kCaioSignatureUSB).append(rest);
        case kSchemeTypeNetwork:
        case kSchemeTypeWebServer:
            if (rest.starts_with('[')) {
                const std::optional<std::string> body = ipv6Body(rest);
                return body ? std::optional(std::string(kCaioSignatureNet6) + *body) : body;
            }
            // The host alone: port and path are dropped.
            return std::string(kCaioSignatureNet).append(rest.substr(0, rest.find_first_of("/:")));
        case kSchemeTypeBonjour:
        case kSchemeTypeWebServerWv:
            return std::string(rest);
        default:
            return std::string(kCaioSignatureNotUse).append(rest);
    }
}

}  // namespace

int GetSchemeType(const char* uri) {
    if (uri == nullptr) {
        return kSchemeTypeUnknown;
    }
    const std::string_view text(uri);
    for (const SchemePrefix& scheme : kSchemePrefixes) {
        if (text.starts_with(scheme.prefix)) {
            return scheme.type;
        }
    }
    return kSchemeTypeUnknown;
}

int createUriForHxpd(const char* uri, std::string* signature) {
    if (uri == nullptr || signature == nullptr) {
        return -1;
    }
    const std::string_view text(uri);
    const std::size_t separator = text.find(kSchemeSeparator);
    // A URI that does not fit the buffer is refused rather than cut.
    if (text.size() >= kCoreUriBufferSize || separator == std::string_view::npos) {
        return -1;
    }
    try {
        std::optional<std::string> result =
            signatureFor(GetSchemeType(uri), text.substr(separator + kSchemeSeparator.size()));
        if (!result || result->size() >= kCoreUriBufferSize) {
            return -1;
        }
        *signature = std::move(*result);
        return 0;
    } catch (const std::bad_alloc&) {
        return -1;
    }
}

std::size_t z_get_ipv6_interfaceId_top_pointer(std::string_view text, char character) {
    const std::size_t position = text.rfind(character);
    return position == 0 ? std::string_view::npos : position;
}
