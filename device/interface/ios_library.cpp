// The exported life-cycle functions: set-up, version and connection count.
#include <string_view>

#include "DovoCommonLib/ios_library.h"
#include "address/printer_address.h"
#include "interface/lib_state.h"
#include "interface/lib_version.h"

namespace {

uint32_t LocalGetConnectionCount(const char* connectionKind) {
    // Only USB printers are limited; other kinds are answered without setting anything up.
    if (connectionKind == nullptr || std::string_view(connectionKind) != kIomNameUSB) {
        return kIOS_UnlimitedConnections;
    }
    std::uint32_t count = kIOS_UnlimitedConnections;
    if (LocalSetUp() == kIOS_NoErr) {
        CLibSharedInfo& registry = *LibProcessState().sharedInfo;
        if (registry.lock() == kCLibSharedInfoNoErr) {
            count = registry.deviceCountForConnectionType(
                CLibSharedInfo::connectionTypeForPrinterConnectionType(kCLibConnectionUSB));
            registry.unlock();
        }
    }
    LocalTearDownIfIdle();
    return count;
}

}  // namespace

uint32_t IOS_Initialize(void) {
    return kIOS_NoErr;
}

void IOS_Terminate(void) {}

uint16_t IOS_GetVersion(void) {
    const auto version = LocalLibraryBundleVersion();
    return version ? LocalVersionFromBundleVersion(*version) : 0;
}

uint32_t IOS_GetConnectionCount(const char* connectionKind) {
    return LocalGetConnectionCount(connectionKind);
}

uint32_t IOS_GetConnectionCountOnSandbox(const char* connectionKind) {
    LibProcessState().appSandbox = true;
    return LocalGetConnectionCount(connectionKind);
}
