// The list builders: a search of one connection kind turned into printer addresses, narrowed by
// the search keys. Each returns a library status and fills `list` in the order the printers
// were found; a builder that fails leaves `list` without meaning.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "DovoCommonLib/ios_discovery.h"
#include "address/printer_list.h"

/// The attached USB printers whose model matches a key. Without keys an empty list at once;
/// otherwise up to five searches 300 ms apart until one lists a printer. The status is the last
/// search's (22998 when the USB devices could not be listed).
std::uint32_t LocalUSBPrinterListCreate(const std::vector<std::string>& searchKeys,
                                        PrinterList& list);

/// The Bonjour printers (named by their service names) whose model matches a key; entries
/// without a reachable address are left out. Without keys an empty list at once.
std::uint32_t LocalBonjourPrinterListCreate(const std::vector<std::string>& searchKeys,
                                            PrinterList& list);

/// The printers that the LPR search finds and that tell their model ("orvane.wqs.ComponentModel"
/// through an administration session) when it matches a key; each is named "<model>
/// (<address>)" and has the IPv4 LPR URI.
std::uint32_t LocalLPRPrinterListCreate(const IOS_LPRSearchContext& context,
                                        const std::vector<std::string>& searchKeys,
                                        PrinterList& list);
