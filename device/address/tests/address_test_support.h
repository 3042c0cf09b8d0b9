// Test support for printer addresses: owned handles, private folders and a discovery double.
#pragma once

#include <stdlib.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "DovoCommonLib/ios_printer_address.h"
#include "address/printer_address.h"
#include "address/printer_discovery.h"
#include "support/temporary_folder.h"

namespace addresstest {

struct AddressDisposer {
    void operator()(void* address) const { IOS_PrinterAddressDispose(address); }
};
/// An address handle released once, when the test's pointer ends.
using AddressHandle = std::unique_ptr<void, AddressDisposer>;

/// An address made through the exported interface; null when it is not made.
inline AddressHandle createAddress(const char* iomName, const char* printerName,
                                   const char* serviceType = nullptr,
                                   const char* domain = nullptr) {
    void* address = nullptr;
    IOS_PrinterAddressCreate(iomName, printerName, serviceType, domain, &address);
    return AddressHandle(address);
}

inline CLibPrinterAddress& object(const AddressHandle& handle) {
    return *static_cast<CLibPrinterAddress*>(handle.get());
}

/// Points Preferences and the shared caches at a temporary folder.
class PrivateFolders {
  public:
    PrivateFolders() {
        ::setenv("XDG_CONFIG_HOME", (folder_.path() / "preferences").c_str(), 1);
        ::setenv("STRATOLINE_CACHES", (folder_.path() / "caches").c_str(), 1);
    }
    const std::filesystem::path& path() const { return folder_.path(); }

  private:
    testsupport::TemporaryFolder folder_;
};

/// Discovery answered from a script while the object lives.
class ScriptedDiscovery {
  public:
    ScriptedDiscovery() { current() = this; }
    ~ScriptedDiscovery() { current() = nullptr; }
    ScriptedDiscovery(const ScriptedDiscovery&) = delete;
    ScriptedDiscovery& operator=(const ScriptedDiscovery&) = delete;

    // The script.
    std::uint32_t usbStatus = kIOS_NoErr;
    std::vector<device::PrinterAddressRef> usbPrinters;
    std::optional<cf::Value> bonjourEntry;

    // What was asked.
    std::vector<std::vector<std::string>> usbSearchKeys;
    std::vector<std::string> bonjourNames;

  private:
    static ScriptedDiscovery*& current() {
        static ScriptedDiscovery* discovery = nullptr;
        return discovery;
    }
    static std::uint32_t usb(const std::vector<std::string>& keys, PrinterList& list) {
        ScriptedDiscovery& discovery = *current();
        discovery.usbSearchKeys.push_back(keys);
        if (discovery.usbStatus == kIOS_NoErr) {
            list.addresses = discovery.usbPrinters;
        }
        return discovery.usbStatus;
    }
    static std::optional<cf::Value> bonjour(const std::string& serviceName) {
        current()->bonjourNames.push_back(serviceName);
        return current()->bonjourEntry;
    }

    static constexpr device::PrinterDiscoveryLayer kLayer{usb, bonjour};
    seam::ScopedOverride<device::PrinterDiscoveryLayer> override_{device::printerDiscoverySeam(),
                                                                  kLayer};
};

}  // namespace addresstest
