// The printer searches as addresses reach them.
#include "address/printer_discovery.h"

#include "discovery/bonjour_search.h"
#include "discovery/printer_list_builders.h"

namespace {

constexpr PrinterDiscoveryLayer kLibraryLayer{LocalUSBPrinterListCreate, bonjourPrinterAddress};

}  // namespace

seam::Seam<PrinterDiscoveryLayer>& printerDiscoverySeam() {
    static seam::Seam<PrinterDiscoveryLayer> layer(kLibraryLayer);
    return layer;
}
