// Device URIs: their scheme types and their translation into channel addresses (IO signatures).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

/// Scheme types of device URIs.
inline constexpr int kSchemeTypeUnknown = -1;     ///< no URI, or a scheme the library lacks
inline constexpr int kSchemeTypeVirtual = -2;     ///< "vqfile", "vqusb"
inline constexpr int kSchemeTypeUSB = 0;          ///< "usb"
inline constexpr int kSchemeTypeNetwork = 1;      ///< "lpd", "socket", "ipp", "vqip"
inline constexpr int kSchemeTypeBonjour = 2;      ///< "dnssd", "mdns"
inline constexpr int kSchemeTypeMultiUSB = 3;     ///< "multi_usb_ncap"
inline constexpr int kSchemeTypeSocketUSB = 4;    ///< "sock_usb_ncap"
inline constexpr int kSchemeTypeWebServer = 5;    ///< "websrv_ncap"
inline constexpr int kSchemeTypeWebServerWv = 6;  ///< "websrv_wv_ncap"

/// Signatures and URIs are held in buffers of this size: at most 1023 characters.
inline constexpr std::size_t kCoreUriBufferSize = 1024;

/// The scheme type of a device URI, by the first of the fixed prefixes that it begins with
/// (case-sensitive, prefix only: "usbx" counts as "usb").
int GetSchemeType(const char* uri);

/// Translates a device URI into the IO signature of its channel, for example
/// lpd://192.0.2.7/ → net:192.0.2.7 and ipp://[fe80::1]/ → net6:fe80::1%<zone>.
/// Returns 0, or -1 for a missing argument, a URI without "://", a URI or signature longer than
/// 1023 characters, or a link-local address that needs a zone when no interface can give one.
/// `signature` is left as it was on failure.
int createUriForHxpd(const char* uri, std::string* signature);

/// The position of the last `character` in `text`, the first character not counted;
/// std::string_view::npos when it is absent or the text is empty.
std::size_t z_get_ipv6_interfaceId_top_pointer(std::string_view text, char character);
