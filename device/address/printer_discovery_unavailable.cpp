// Printer discovery is not built yet: no USB printer is found and no Bonjour name resolves.
#include "DovoCommonLib/ios_status.h"
#include "address/printer_discovery.h"

std::uint32_t LocalUSBPrinterListCreate(const std::vector<std::string>&, PrinterList&) {
    return kIOS_ErrInternal;
}

std::optional<cf::Value> bonjourPrinterAddress(const std::string&) {
    return std::nullopt;
}
