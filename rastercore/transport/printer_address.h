// The job's printer address, made through the device library from the job record's connection
// kind and printer name, and the reachability check of a Bonjour printer.
#pragma once

#include <cstdint>

/// Connection kinds as the job record names them.
inline constexpr const char* kConnectionAppleTalk = "AppleTalk";
inline constexpr const char* kConnectionRendezvous = "Rendezvous";
inline constexpr const char* kConnectionDnssd = "DNSSD";
/// What the device library is asked for a Bonjour printer.
inline constexpr const char* kBonjourServiceType = "_pdl-datastream._tcp.";
inline constexpr const char* kBonjourDomain = "local.";
/// The service name of an AppleTalk printer.
inline constexpr const char* kAppleTalkService = "TARN";

/// Makes the address of `printerName` for `connectionName`: "AppleTalk" with the service "TARN"
/// and `extraText` as the domain; "Rendezvous" and "DNSSD" as "Rendezvous" in the domain
/// "local." with the service type "_pdl-datastream._tcp."; any other kind with the name only.
/// Returns 0 with the address in `*address`, 1100 when the device library reports a cancel, or
/// 14000 for any other failure (the address null).
std::int32_t PLG_Get_PrinterAddress(const char* connectionName, const char* printerName,
                                    const char* extraText, void** address);

/// Releases an address of `PLG_Get_PrinterAddress`; null is ignored. Returns 0.
std::int32_t PLG_Dispose_PrinterAddress(void* address);

/// 0 when an administration context opens on the printer (it is closed at once); the device
/// library's status when it does not; -1 without an address.
std::int32_t PLG_CheckPrinter_Rendezvous(void* address);
