// IO signatures: the address prefixes that choose a channel's transport.
#pragma once

#include <string>

inline constexpr const char* kCaioSignatureNet = "net:";
inline constexpr const char* kCaioSignatureNet6 = "net6:";
inline constexpr const char* kCaioSignatureMdns = "mdns:";
inline constexpr const char* kCaioSignatureUSB = "usb://";
inline constexpr const char* kCaioSignatureNotUse = "notuse:";

/// The first of "net:", "net6:", "mdns:", "usb://" and "notuse:" that `address` begins with
/// (case-sensitive), or null for a null address or one that begins with none of them.
const char* LocalGetIOSignatureFromHxpdUri(const char* address);

/// Stores in `result` the address without its IO signature: 0, or -1 when an argument is null
/// or the address has no IO signature (the result is then left as it was).
int LocalHxpdUriToPrinterAddress(const char* address, std::string* result);
