// The printer searches as addresses reach them.
#include "address/printer_discovery.h"

#include <atomic>

#include "discovery/bonjour_search.h"
#include "discovery/printer_list_builders.h"

namespace {

constexpr PrinterDiscoveryLayer kLibraryLayer{LocalUSBPrinterListCreate, bonjourPrinterAddress};

std::atomic<const PrinterDiscoveryLayer*> replacementLayer{nullptr};

}  // namespace

const PrinterDiscoveryLayer& PrinterDiscoveryGetLayer() {
    const PrinterDiscoveryLayer* replacement = replacementLayer.load();
    return replacement != nullptr ? *replacement : kLibraryLayer;
}

void PrinterDiscoveryReplaceLayer(const PrinterDiscoveryLayer* layer) {
    replacementLayer.store(layer);
}
