// The printer searches as addresses reach them.
#include "address/printer_discovery.h"

#include "discovery/bonjour_search.h"
#include "discovery/printer_list_builders.h"

namespace {

constexpr device::PrinterDiscoveryLayer kLibraryLayer{LocalUSBPrinterListCreate,
                                                      bonjourPrinterAddress};

}  // namespace

namespace device {

seam::Seam<PrinterDiscoveryLayer>& printerDiscoverySeam() {
    static seam::Seam<PrinterDiscoveryLayer> layer(kLibraryLayer);
    return layer;
}

}  // namespace device
