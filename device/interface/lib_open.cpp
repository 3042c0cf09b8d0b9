// The steps that every job and administration open shares.
#include "interface/lib_open.h"

#include "DovoCommonLib/ios_status.h"
#include "interface/lib_device_use.h"
#include "interface/lib_state.h"

std::uint32_t LocalOpenContext(void** context, void* addressHandle,
                               const LibOpenConnection& openConnection) {
    if (context == nullptr || addressHandle == nullptr) {
        return kIOS_ErrParam;
    }
    *context = nullptr;
    CLibPrinterAddress& address = *static_cast<CLibPrinterAddress*>(addressHandle);
    const auto uri = address.deviceURI();
    if (!uri) {
        return kIOS_ErrNoDeviceURI;
    }
    std::uint32_t status = LocalSetUp();
    CLibSharedInfo* registry = LibProcessState().sharedInfo.get();
    std::unique_ptr<CLibDeviceInfo> device;
    if (status == kIOS_NoErr) {
        status = LocalAttachDevice(*registry, *uri, address.connectionType(), device);
    }
    std::unique_ptr<CLibContext> made;
    if (status == kIOS_NoErr) {
        CLibDeviceInfo* view = device.get();  // owned by `made` once the open succeeds
        status = openConnection(address, device, made);
        if (status != kIOS_NoErr) {
            LocalDetachDevice(*registry, *view);
        }
    }
    if (status != kIOS_NoErr) {
        LocalTearDownIfIdle();
        return status;
    }
    *context = made.release();
    LocalContextOpened();
    return kIOS_NoErr;
}
