// The printer searches that addresses rely on: the USB list builder, which makes a USB address
// from a model name, and the Bonjour look-up, which resolves a Bonjour address's device URI.
//
// The searches belong to discovery (discovery/); addresses reach them through this layer's seam,
// in which tests put a double.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "address/printer_list.h"
#include "cf/value.h"
#include "seam/seam.h"

namespace device {

struct PrinterDiscoveryLayer {
    /// The attached USB printers whose model contains one of `searchKeys`, in the order found.
    /// A library status; `list` is filled only on success.
    std::uint32_t (*usbPrinterListCreate)(const std::vector<std::string>& searchKeys,
                                          PrinterList& list);
    /// The first discovery entry found for a Bonjour service name, or nothing.
    std::optional<cf::Value> (*bonjourPrinterAddress)(const std::string& serviceName);
};

/// The seam of the searches: the library's own unless a test overrides them with a
/// seam::ScopedOverride.
seam::Seam<PrinterDiscoveryLayer>& printerDiscoverySeam();

}  // namespace device
