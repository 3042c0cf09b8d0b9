// Keyed archives of printer addresses, as the print monitor's preferences and the printer
// information files carry them: whatever decodes must archive and decode to the same address.
#include <cstddef>
#include <cstdint>

#include "address/printer_address_archive.h"
#include "support/fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const device::PrinterAddressRef address =
        device::PrinterAddressUnarchive(cf::Value::data(data, size));
    if (!address) {
        return 0;
    }
    const auto archive = device::PrinterAddressArchive(*address);
    testsupport::fuzzRequire(archive.has_value(), "a decoded address can be archived");
    const device::PrinterAddressRef again = device::PrinterAddressUnarchive(*archive);
    testsupport::fuzzRequire(again && again->printerAddress() == address->printerAddress(),
                             "an archived address decodes unchanged");
    return 0;
}
