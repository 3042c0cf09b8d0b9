// The Bonjour search: the printers announced under the printer service types in the local
// domain, browsed and then resolved one after another, on the calling thread.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "cf/value.h"

/// The service types searched, in this order, and the domain.
inline constexpr std::string_view kBonjourServiceTypes[] = {"_printer._tcp.",
                                                            "_pdl-datastream._tcp."};
inline constexpr std::string_view kBonjourDomain = "local.";

/// Sends the echo broadcast, then for each service type browses for 500 ms and resolves the
/// names found (those that appear meanwhile too, those that disappear not), each within 10 s and
/// all within 10 s of the browse. Appends to the array `entries` the entries of the resolved
/// services (LocalBonjourEntry), each once, in the order resolved. Always kSearchNoErr: without
/// a daemon nothing is found.
std::int32_t SearchBonjourPrinterAddressList(cf::Value& entries);

/// The first entry found for a service name: the echo broadcast, then for each service type a
/// 500 ms wait and the resolution of the name in "local." within 10 s. Nothing when no type
/// resolves it.
std::optional<cf::Value> bonjourPrinterAddress(const std::string& serviceName);
