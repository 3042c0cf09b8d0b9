// Printer lists and IOM lists: the immutable arrays that the exported list functions hand out.
#pragma once

#include <string_view>
#include <vector>

#include "address/printer_address.h"

/// A printer list: addresses in the order they were found, each retained by the list.
struct PrinterList {
    std::vector<device::PrinterAddressRef> addresses;
};

/// The connection kinds as the IOM list names them, in its order.
inline constexpr std::string_view kIOMListNames[] = {kIomNameUSB, kIomNameBonjour, kIomNameLPR,
                                                     kIomNameLPRv6};

/// An IOM list: the names of kIOMListNames.
struct IOMList {
    std::vector<std::string_view> names{std::begin(kIOMListNames), std::end(kIOMListNames)};
};
