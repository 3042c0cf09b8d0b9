// Printer address files from spool folders: whatever reads as an address must write back and
// read back as the same address.
#include <cstddef>
#include <cstdint>
#include <fstream>

#include "address/printer_address_file.h"
#include "support/fuzz_check.h"
#include "support/temporary_folder.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const testsupport::TemporaryFolder folder;
    const auto input = folder / "input.plist";
    std::ofstream(input, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    const device::PrinterAddressRef address = device::PrinterAddressReadFile(input);
    if (!address) {
        return 0;
    }
    const auto output = folder / "output.plist";
    testsupport::fuzzRequire(device::PrinterAddressWriteFile(*address, output) == 0,
                             "an address that was read can be written");
    const device::PrinterAddressRef again = device::PrinterAddressReadFile(output);
    testsupport::fuzzRequire(again && again->printerAddress() == address->printerAddress(),
                             "a written address reads back unchanged");
    return 0;
}
