// The print monitor's preferences file, which other programs write: setting the current printer
// over any file either leaves the file alone with an error or leaves a domain naming the printer.
#include <stdlib.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>

#include "DovoCommonLib/ios_status.h"
#include "address/print_monitor_default.h"
#include "cf/property_list.h"
#include "support/fuzz_check.h"
#include "support/temporary_folder.h"

namespace {

constexpr const char* kPrinterName = "192.0.2.7";
constexpr const char* kDeviceURI = "lpd://192.0.2.7/";

// Preferences in a private folder for the whole run.
const std::filesystem::path& preferencesFile() {
    static const testsupport::TemporaryFolder folder;
    static const std::filesystem::path file = [] {
        ::setenv("XDG_CONFIG_HOME", folder.path().c_str(), 1);
        return device::PrintMonitorPreferencesPath();
    }();
    return file;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto& file = preferencesFile();
    std::ofstream(file, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    const device::PrinterAddressRef address =
        CLibPrinterAddress::initWithConnectionType(kCLibConnectionLPR, kPrinterName, kDeviceURI);
    const std::uint32_t result = device::PrintMonitorSetDefaultPrinter(*address);
    testsupport::fuzzRequire(result == kIOS_NoErr || result == kIOS_ErrInternal,
                             "the result is success or the internal error");
    if (result == kIOS_NoErr) {
        cf::Value domain;
        testsupport::fuzzRequire(cf::readPropertyListFile(file, domain) == cf::PlistStatus::Ok,
                                 "the domain written reads back");
        const cf::Value* current = domain.find("CurrentPrinter");
        testsupport::fuzzRequire(current != nullptr && current->string() != nullptr,
                                 "the domain names a current printer");
    }
    return 0;
}
